// Glyra2's hooks, its one settings object and the GDI passes of a tick.
// The passes are declared here so that tests can drive them on a memory DC.
#pragma once

#include <windows.h>

#include <cstdint>

#include "glyra2_entry.h"
#include "glyra2_fonts.h"
#include "glyra2_space.h"
#include "text_settings.h"

// The text settings with Glyra2's program-wide values: the screen centre
// (taken at start), the tables (filled by Prepare) and the FontTable (the
// saver's font slot, alive from OnCreate to QueryClose).
class Glyra2Settings : public TextSettings {
public:
    Glyra2Settings();
    Glyra2Space Space;
    FontTable Fonts;
};

// The program's one settings object.
Glyra2Settings& Glyra2();

// The FontTable for the current font settings (OnCreate's first step).
bool CreateFonts(bool keepAlive);
// OnCreate's work on a device context: every entry at its start slots and
// its largest glyph diagonal measured in the full-size font.
void PlaceEntries(HDC dc);
// One entry's tick: move, erase pass, projection, draw pass, advance.
void TickEntry(HDC dc, TextEntry& entry);
// The characters of an entry drawn from slot on, each Spacing slots further
// back: in black (the erase pass) or in the depth-dimmed colour.
void DrawChain(HDC dc, TextEntry& entry, int32_t slot, bool inBlack);
