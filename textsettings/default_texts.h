// The text savers' built-in strings, default face name and speed labels, all
// as code-page-932 (Shift-JIS) bytes. The Windows part decodes the strings
// with code page 932 explicitly, so they read right whatever the system's
// ANSI code page is.
#pragma once

#include <cstdint>

constexpr unsigned DefaultTextCodePage = 932;

// "ＭＳ Ｐ明朝", the default "FontName" (an ANSI text like every stored face).
extern const char DefaultFontName[];

// Glyra2 adds all six, in this order, while its list is empty.
constexpr int Glyra2DefaultTextCount = 6;
extern const char* const Glyra2DefaultTexts[Glyra2DefaultTextCount];

// Glyra adds each string whose fresh RandomInt(100) falls below its bound.
struct GlyraDefaultText {
    const char* Bytes;
    int32_t Bound;
};
constexpr int GlyraDefaultTextCount = 7;
extern const GlyraDefaultText GlyraDefaultTexts[GlyraDefaultTextCount];

// The speed box's items; item k stands for Speed k + 1.
constexpr int SpeedLabelCount = 5;
extern const char* const Glyra2SpeedLabels[SpeedLabelCount];
extern const char* const GlyraSpeedLabels[SpeedLabelCount];
