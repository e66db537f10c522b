// One Worms run in one window, free of any platform: its worms, built before
// the window exists and crawling one step per tick over whatever the window
// shows, drawn through a canvas.
#pragma once

#include <cstdint>

#include "canvas.h"
#include "saver_table.h"
#include "worms_walk.h"

struct WormsRun : SaverRun {
    int32_t Type = DefaultType;
    WormCrowd Crowd;
    CrawlArea Area{0, 0};
};

// The start, before the window shows: count worms of length segments on a
// crawl area; false, with nothing kept, when the memory cannot be had.
bool StartWorms(WormsRun& run, int32_t type, int32_t count, int32_t length, CrawlArea area);
// One tick. The tail is drawn black over the picture (TrailClear) or in the
// worm's colour NOT-XOR the picture; the head in the worm's colour, plainly
// (TrailClear) or NOT-XOR (its advanced colour when it smears), each
// outlined in black.
void DrawWorms(WormsRun& run, Canvas& canvas);
// The worms freed; safe to repeat (the run's destructor frees them too).
void EndWorms(WormsRun& run);
