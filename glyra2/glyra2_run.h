// One Glyra2 run in one window, free of any platform: the strings with their
// flights, the space of the window's screen and a font per cell height,
// drawn through a canvas.
#pragma once

#include <cstdint>
#include <memory>

#include "canvas.h"
#include "glyra2_entry.h"
#include "glyra2_space.h"
#include "saver_table.h"
#include "text_list.h"

struct Glyra2Run : SaverRun {
    TextList List;         // the strings of this run, each with its flight
    int32_t FontSize = 0;  // the stored size brought into bounds
    Glyra2Space Space;     // the tables and the screen's centre
    // Entry k is the font of cell height k + 1; null where it could not be
    // made (the character then goes out in the font last used).
    std::unique_ptr<std::unique_ptr<CanvasFont>[]> Fonts;
    int32_t FontCount = 0;
};

// The start before the window shows, for a screen of screenWidth x
// screenHeight: the tables, the stored texts each with its flight drawn from
// the generator as it stands, then (when seed is given) the generator
// seeded, then the built-in strings while the list is empty. fontSize is
// already within bounds. False when no string could be added.
bool PrepareGlyra2(Glyra2Run& run, const TextList& stored, int32_t speed, int32_t fontSize, int32_t screenWidth,
                   int32_t screenHeight, const uint32_t* seed);
// The start as the window appears: the fonts of the face, weight and slant
// made through the canvas, then every entry placed at its start and
// measured in the full-size font.
void StartGlyra2(Glyra2Run& run, Canvas& canvas, const TextChar* face, bool bold, bool italic);
// One tick: each entry moved, erased and drawn again.
void DrawGlyra2(Glyra2Run& run, Canvas& canvas);
// The fonts freed, as the window closes; safe to repeat. The strings go
// with the run.
void FreeGlyra2Fonts(Glyra2Run& run);

// The steps of the above, for tests. MakeGlyra2Fonts is false when the
// table itself cannot be allocated.
bool MakeGlyra2Fonts(Glyra2Run& run, Canvas& canvas, const TextChar* face, bool bold, bool italic);
const CanvasFont* Glyra2FontAt(const Glyra2Run& run, int32_t k);
void PlaceEntries(Glyra2Run& run, Canvas& canvas);
void TickEntry(Glyra2Run& run, Canvas& canvas, TextEntry& entry);
// The characters of an entry drawn from slot on, each Spacing slots further
// back: in black (the erase pass) or in the depth-dimmed colour.
void DrawChain(Glyra2Run& run, Canvas& canvas, TextEntry& entry, int32_t slot, bool inBlack);
