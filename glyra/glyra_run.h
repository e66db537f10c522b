// One Glyra run in one window, free of any platform: the strings with their
// trails and the one font of the drawing, drawn through a canvas.
#pragma once

#include <cstdint>
#include <memory>

#include "canvas.h"
#include "glyra_trail.h"
#include "saver_table.h"
#include "text_list.h"

struct GlyraRun : SaverRun {
    TextList List;         // the strings of this run, each with its trail
    int32_t FontSize = 0;  // the stored size brought into bounds
    // Null when it could not be made: the canvas's own font draws.
    std::unique_ptr<CanvasFont> Font;
    // The wrap's bounds, and the window the strings start from the middle of.
    int32_t ScreenWidth = 0, ScreenHeight = 0;
    int32_t WindowWidth = 0, WindowHeight = 0;
};

struct GlyraScreen {
    int32_t ScreenWidth, ScreenHeight, WindowWidth, WindowHeight;
};

// The start before the window shows, up to the font: the stored texts,
// then (when seed is given) the generator seeded, then the built-in strings
// while the list is empty. fontSize is already within bounds. False when no
// string could be added.
bool PrepareGlyra(GlyraRun& run, const TextList& stored, int32_t speed, int32_t fontSize, GlyraScreen screen,
                  const uint32_t* seed);
// The start as the window appears: every entry at the window's centre, its
// step from the widest character so far, its colour and heading.
void PlaceEntries(GlyraRun& run, Canvas& canvas);
// One tick: each entry's leader moves, its characters are erased, follow
// the trail and are drawn again.
void DrawGlyra(GlyraRun& run, Canvas& canvas);

// The steps of a tick, for tests.
void TickEntry(GlyraRun& run, Canvas& canvas, TextEntry& entry);
// Every character where CharX/CharY say, in one colour.
void DrawCharacters(GlyraRun& run, Canvas& canvas, const TextEntry& entry, uint32_t colour);
