// Glyra's wine tests: settings written to the program's key.
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
