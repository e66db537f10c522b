// Glyra's hooks, its one settings object and the GDI passes of a tick.
// The passes are declared here so that tests can drive them on a memory DC.
#pragma once

#include <windows.h>

#include <cstdint>

#include "glyra_trail.h"
#include "saver_font.h"
#include "text_settings.h"

// Makes the one font of the drawing; null when it cannot be made.
using FontMaker = HFONT (*)(int32_t height, int32_t bold, int32_t italic, const char* faceName);

// The text settings with Glyra's program-wide values: the screen size
// (taken at start, bounding the wrap) and TextFont (the saver's font slot,
// alive from Prepare to Release).
class GlyraSettings : public TextSettings {
public:
    GlyraSettings();
    int32_t ScreenWidth = 0;
    int32_t ScreenHeight = 0;
    HFONT TextFont = nullptr;
    // Prepare makes TextFont with this; tests put a failing one in its place.
    FontMaker MakeFont = nullptr;
};

// The program's one settings object.
GlyraSettings& Glyra();


// OnCreate's work on a device context: every entry at the window's centre,
// its step from the widest character so far, its colour and heading.
void PlaceEntries(HDC dc);
// One entry's tick: the leader's move, the erase pass, the characters'
// move along the trail, the draw pass.
void TickEntry(HDC dc, TextEntry& entry);
// Every character where CharX/CharY say, in one colour.
void DrawCharacters(HDC dc, const TextEntry& entry, COLORREF colour);
