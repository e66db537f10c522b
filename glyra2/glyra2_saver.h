// Glyra2's saver: one instance per window holds the entries of its strings
// with their flights, the space of its screen and the FontTable. The GDI
// passes of a tick are declared here so that tests can drive them on a
// memory DC.
#pragma once

#include <windows.h>

#include <cstdint>

#include "glyra2_entry.h"
#include "glyra2_fonts.h"
#include "glyra2_space.h"
#include "saver_hooks.h"
#include "text_settings.h"

class Glyra2Instance final : public SaverInstance {
public:
    using SaverInstance::SaverInstance;
    ~Glyra2Instance() override;

    TextList List;      // the strings of this run, each with its flight
    int32_t FontSize = 0;  // the settings' size brought into bounds
    Glyra2Space Space;  // the tables and this window's screen centre, filled by Prepare
    FontTable Fonts;    // alive from OnCreate to QueryClose
};

// The program's one settings object.
TextSettings& Glyra2();

// The FontTable for the current font settings (OnCreate's first step).
bool CreateFonts(Glyra2Instance& run, bool keepAlive);
// OnCreate's work on a device context: every entry at its start slots and
// its largest glyph diagonal measured in the full-size font.
void PlaceEntries(Glyra2Instance& run, HDC dc);
// One entry's tick: move, erase pass, projection, draw pass, advance.
void TickEntry(Glyra2Instance& run, HDC dc, TextEntry& entry);
// The characters of an entry drawn from slot on, each Spacing slots further
// back: in black (the erase pass) or in the depth-dimmed colour.
void DrawChain(Glyra2Instance& run, HDC dc, TextEntry& entry, int32_t slot, bool inBlack);
