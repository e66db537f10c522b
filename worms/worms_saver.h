// Worms' saver: one instance per window holds its worms, built before the
// window exists and freed after it is gone; each tick they crawl one step
// over whatever the window shows (the shell puts the screen as it was there).
#pragma once

#include <windows.h>

#include <cstdint>

#include "saver_hooks.h"
#include "worms_walk.h"

class WormsInstance final : public SaverInstance {
public:
    using SaverInstance::SaverInstance;

    int32_t Type = DefaultType;
    WormCrowd WormArray;
    // The brush template for every worm brush; a worm's Colour goes into it
    // before each CreateBrushIndirect.
    LOGBRUSH SegmentBrush{};
};
