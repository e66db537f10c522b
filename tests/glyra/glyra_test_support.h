// Glyra's wine tests: settings written to the program's key, and the
// shell's order of hooks without a window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "glyra_saver.h"

extern const char GlyraKey[];

struct StoredSettings {
    std::vector<std::string> Texts;  // the "List" values, in order
    int32_t Speed = 3;
    int32_t FontSize = 32;
    int32_t Bold = 0;
    int32_t Italic = 0;
    const char* FontName = "DejaVu Sans";
};

// Replaces the program's key with these values.
void Store(const StoredSettings& s);

// Lit (non-black) pixels.
size_t Lit(const std::vector<uint32_t>& pixels);

// 0x00RRGGBB of a canvas pixel as the 0x00BBGGRR of a COLORREF.
uint32_t AsColorref(uint32_t rgb);

// Font smoothing switched on for a test's length, so that a glyph's edges
// would blend if the saver's font allowed it.
class SmoothingOn {
public:
    SmoothingOn();
    ~SmoothingOn();
    SmoothingOn(const SmoothingOn&) = delete;
    SmoothingOn& operator=(const SmoothingOn&) = delete;

private:
    BOOL was_ = FALSE;
    UINT type_ = 0;
};
