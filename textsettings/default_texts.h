// The text savers' built-in strings, as UTF-16: content the savers show when
// no string is stored, not user interface.
#pragma once

#include <cstdint>

// Glyra2 adds all six, in this order, while its list is empty.
constexpr int Glyra2DefaultTextCount = 6;
extern const char16_t* const Glyra2DefaultTexts[Glyra2DefaultTextCount];

// Glyra adds each string whose fresh RandomInt(100) falls below its bound.
struct GlyraDefaultText {
    const char16_t* Text;
    int32_t Bound;
};
constexpr int GlyraDefaultTextCount = 7;
extern const GlyraDefaultText GlyraDefaultTexts[GlyraDefaultTextCount];
