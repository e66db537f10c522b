// Glyra2's FontTable: one font per cell height 1..FontSize, made when the
// window is created and deleted when it closes. Each font is kept selected
// in a small memory DC of its own for the window's life: a font that no DC
// holds may be dropped from the system's cache and rebuilt at its next use,
// which made the per-tick cycling through the heights several times slower.
#pragma once

#include <windows.h>

#include <cstdint>

#include "saver_font.h"

struct FontTable {
    int32_t Count = 0;
    HFONT* Fonts = nullptr;    // entry k: cell height k + 1; null where creation failed
    HDC* Holders = nullptr;    // the DC keeping entry k alive; null when none
};

struct FontRequest {
    int32_t Size;  // heights 1..Size
    int32_t Bold;
    int32_t Italic;
    const char* FaceName;
    bool KeepAlive;  // hold each font in a DC of its own (the saver always does)
};

// False when the table's arrays cannot be allocated (the table stays empty).
// A font that cannot be created stays null and selects nothing.
bool CreateFontTable(FontTable& table, const FontRequest& request);
// Deletes the fonts and their holding DCs and frees the arrays.
void DeleteFontTable(FontTable& table);
// The font of entry k, or null.
HFONT FontAt(const FontTable& table, int32_t k);
