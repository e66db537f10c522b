// Worms' three settings: what "Type" means, the defaults and the bounds the
// schema (worms_table.cpp) gives them.
#pragma once

#include <cstdint>

// What a worm leaves behind: the meaning of the "Type" setting.
enum TrailMode : int32_t {
    TrailClear = 0,  // a black track that eats the picture away
    TrailNone = 1,   // nothing: the NOT-XOR tail gives the picture back
    TrailSmear = 2,  // faint smears, as the colour moves on between head and tail
};

constexpr int32_t DefaultType = TrailClear;
constexpr int32_t DefaultWormsCnt = 100;
constexpr int32_t DefaultWormsLen = 10;

// Upper bounds. Every worm costs two ellipses and up to two
// brushes per tick, so the count bounds the time of a tick: in the shipped
// 32-bit build under wine a tick on the full-screen window takes about 18-20
// ms median at 2000 worms (p95 under 31 ms), 30 ms at 3000 and 41 ms at 5000,
// against a frame every 50 ms. The length only costs memory (8 bytes a
// segment): 2000 worms of 1000 segments take 16 MB.
constexpr int32_t MaxWormsCnt = 2000;
constexpr int32_t MaxWormsLen = 1000;
