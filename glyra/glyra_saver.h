// Glyra's saver: one instance per window holds the entries of its strings
// with their trails and the one font of the drawing. The GDI passes of a
// tick are declared here so that tests can drive them on a memory DC.
#pragma once

#include <windows.h>

#include <cstdint>

#include "glyra_trail.h"
#include "saver_font.h"
#include "saver_hooks.h"
#include "text_settings.h"

// Makes the one font of the drawing; null when it cannot be made.
using FontMaker = HFONT (*)(int32_t height, int32_t bold, int32_t italic, const char* faceName);

// The text settings, with how a run makes its font: Prepare makes it with
// MakeFont; tests put a failing maker in its place.
class GlyraSettings : public TextSettings {
public:
    GlyraSettings();
    FontMaker MakeFont = nullptr;
};

class GlyraInstance final : public SaverInstance {
public:
    using SaverInstance::SaverInstance;
    ~GlyraInstance() override;

    TextList List;             // the strings of this run, each with its trail
    int32_t FontSize = 0;      // the settings' size brought into bounds
    HFONT TextFont = nullptr;  // alive from Prepare to Release
};

// The program's one settings object.
GlyraSettings& Glyra();

// OnCreate's work on a device context: every entry at the window's centre,
// its step from the widest character so far, its colour and heading.
void PlaceEntries(GlyraInstance& run, HDC dc);
// One entry's tick: the leader's move, the erase pass, the characters'
// move along the trail, the draw pass.
void TickEntry(GlyraInstance& run, HDC dc, TextEntry& entry);
// Every character where CharX/CharY say, in one colour.
void DrawCharacters(HDC dc, const TextEntry& entry, COLORREF colour);
