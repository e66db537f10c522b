// Worms' one settings object: the three settings, the shell's state it
// inherits, and the run's data (the worms, the brush template, the screen).
#pragma once

#include "settings_key.h"
#include "worms_walk.h"

#include <windows.h>

#include <cstdint>

class WormsSettings final : public SettingsKey {
public:
    WormsSettings();

    // Sets the shell's fields for Worms, then reads "Type", "WormsCnt" and
    // "WormsLen" in that order and replaces values out of range.
    void LoadSettings() override;
    // Writes the three values in the same order; always true.
    bool SaveSettings() override;

    int32_t Type = DefaultType;
    int32_t WormsCnt = DefaultWormsCnt;
    int32_t WormsLen = DefaultWormsLen;
    WormCrowd WormArray;

    // The brush template for every worm brush; a worm's Colour goes into it
    // before each CreateBrushIndirect.
    LOGBRUSH SegmentBrush{};

    // The full screen, taken once at start: the crawl area in every mode.
    int32_t ScreenWidth;
    int32_t ScreenHeight;

    // Full screen only: a copy of the screen as the saver found it, from
    // Prepare until the window shows it (see worms_saver.cpp).
    HDC RunBackdrop = nullptr;
    HGDIOBJ RunBackdropSaved = nullptr;
};

// The program's one instance.
WormsSettings& TheWormsSettings();
