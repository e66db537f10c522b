// Glyra's state of one string, its CrawlTrail: the leader's trail, where
// each character was drawn last tick, the colour and the heading, and the
// arithmetic of one tick. No platform header: the erase and draw passes live
// in glyra_run.cpp, and the native build tests everything here.
#pragma once

#include <cstdint>
#include <memory>

#include "integer_rules.h"
#include "text_list.h"

// Angles come from whole degrees with this value of pi, not a finer one.
constexpr double DegreePi = 3.14159265;
constexpr int32_t MinStepLength = 3;
// Every channel of a string's colour is 135 + RandomInt(120): 135..255.
constexpr int32_t ColourFloor = 135;
constexpr int32_t ColourSpread = 120;
// The turn limit is 10..40 degrees.
constexpr int32_t TurnLimitFloor = 10;
constexpr int32_t TurnLimitSpread = 30;

struct CrawlTrail : EntryState {
    // Speed when the entry was built, 1..5: the ticks between one character
    // and the next, so character i is drawn at trail point i * Spacing.
    int32_t Spacing = 0;
    int32_t TrailLength = 0;     // Length * Spacing points
    std::unique_ptr<int32_t[]> Arrays;  // the four arrays below in one block
    int32_t* TrailX = nullptr;   // the leader's position, newest first
    int32_t* TrailY = nullptr;
    int32_t StepLength = 0;      // full-screen pixels per tick, at least 3
    int32_t* CharX = nullptr;    // where each character was drawn last tick
    int32_t* CharY = nullptr;
    uint32_t TextColour = 0;     // 0x00BBGGRR
    double Direction = 0;        // radians, 0 = +x, growing clockwise on screen
    double TurnLimit = 0;        // radians, the largest turn per tick
};

// The trail of a new entry: the four coordinate arrays, their contents not
// yet set (StartEntry sets them). Nothing is drawn from the generator here.
bool BuildCrawlTrail(TextEntry& entry, int32_t speed);
constexpr EntryHooks TrailHooks = {BuildCrawlTrail};

// The trail of an entry that has one.
inline CrawlTrail& TrailOf(TextEntry& entry) { return static_cast<CrawlTrail&>(*entry.State); }
inline const CrawlTrail& TrailOf(const TextEntry& entry) { return static_cast<const CrawlTrail&>(*entry.State); }

double DegreesToRadians(int32_t degrees);

// The trail point character i is drawn from.
int32_t TrailIndex(int32_t character, int32_t spacing);
// The widest character seen so far divided by the spacing, toward zero,
// and never below MinStepLength.
int32_t StepLengthFor(double widest, int32_t spacing);

// The width of one character in the font of the drawing.
using MeasureFn = int32_t (*)(const TextChar* character, void* context);

// The start of one entry as its window appears: every trail point and
// character at the start point, the characters measured into the running
// widest width (which carries over from one entry to the next), the step,
// then the colour (red, green, blue), the heading and the turn limit, drawn
// in this order.
void StartEntry(TextEntry& entry, int32_t x, int32_t y, double& widest, MeasureFn measure, void* context);

// A tick's move of the leader: shift the trail, turn, step, wrap.
void AdvanceLeader(CrawlTrail& s, int32_t screenWidth, int32_t screenHeight);
// After the erase pass: every character goes to its trail point.
void MoveCharacters(TextEntry& entry);
