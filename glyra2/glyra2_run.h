// One Glyra2 run in one window, free of any platform: the strings with their
// flights, the space of the window's screen and a font per cell height,
// drawn through a canvas.
#pragma once

#include <cstdint>

#include "canvas.h"
#include "glyra2_entry.h"
#include "glyra2_space.h"
#include "text_list.h"

struct Glyra2Run {
    TextList List;         // the strings of this run, each with its flight
    int32_t FontSize = 0;  // the stored size brought into bounds
    Glyra2Space Space;     // the tables and the screen's centre
    // Entry k is the font of cell height k + 1; null where it could not be
    // made (the character then goes out in the font last used).
    CanvasFont** Fonts = nullptr;
    int32_t FontCount = 0;

    Glyra2Run() = default;
    ~Glyra2Run();
    Glyra2Run(const Glyra2Run&) = delete;
    Glyra2Run& operator=(const Glyra2Run&) = delete;
};

// Adds a built-in string, code-page-932 bytes that the platform decodes, to
// list as a new entry whose state hooks build; false when it cannot.
using AddBuiltInFn = bool (*)(TextList& list, const char* bytes, int32_t speed, const EntryHooks& hooks);

// Prepare's work, for a screen of screenWidth x screenHeight: the tables,
// the stored texts each with its flight drawn from the generator as it
// stands, then (when seed is given) the generator seeded, then the built-in
// strings while the list is empty. False when no string could be added.
bool PrepareGlyra2(Glyra2Run& run, const TextList& stored, int32_t speed, int32_t fontSize, int32_t screenWidth,
                   int32_t screenHeight, const uint32_t* seed, AddBuiltInFn addBuiltIn);
// OnCreate's work: the fonts of the face, weight and slant made through the
// canvas, then every entry placed at its start and measured in the
// full-size font.
void StartGlyra2(Glyra2Run& run, Canvas& canvas, const TextChar* face, bool bold, bool italic);
// One tick (DrawFrame's work): each entry moved, erased and drawn again.
void DrawGlyra2(Glyra2Run& run, Canvas& canvas);
// The fonts freed (QueryClose's work); safe to repeat.
void FreeGlyra2Fonts(Glyra2Run& run);
// Everything freed (Release's work); safe to repeat.
void EndGlyra2(Glyra2Run& run);

// The steps of the above, for tests. MakeGlyra2Fonts is false when the
// table itself cannot be allocated.
bool MakeGlyra2Fonts(Glyra2Run& run, Canvas& canvas, const TextChar* face, bool bold, bool italic);
const CanvasFont* Glyra2FontAt(const Glyra2Run& run, int32_t k);
void PlaceEntries(Glyra2Run& run, Canvas& canvas);
void TickEntry(Glyra2Run& run, Canvas& canvas, TextEntry& entry);
// The characters of an entry drawn from slot on, each Spacing slots further
// back: in black (the erase pass) or in the depth-dimmed colour.
void DrawChain(Glyra2Run& run, Canvas& canvas, TextEntry& entry, int32_t slot, bool inBlack);
