// A glyph at any cell height up to its master's, from the master's coverage:
// the browser draws each character once, large and smoothed, and every
// smaller size is cut from it here. A pixel is set where the master's mean
// coverage over the pixel's area is at least one half, so the result is as
// unsmoothed as a 1-bit glyph drawn at that size, and costs one pass over
// the master instead of a large glyph drawn and read back by the browser.
#pragma once

#include <cstdint>

#include "glyph_cache.h"

// A character's coverage (0..255) at cell height Height: Width x Rows
// values, row by row, for the box at (Left, Top) from the cell's top-left;
// and its advance there, in 1/65536 pixel.
struct GlyphCoverage {
    int32_t Height;
    int32_t Left, Top, Width, Rows;
    int32_t Advance;
    const uint8_t* Alpha;
};

// The advance at cell height height, in whole pixels (rounded): advances
// grow in proportion to the size.
int32_t ScaledAdvance(const GlyphCoverage& m, int32_t height);

// Sums of the master's columns between passes, kept between calls.
class ScaleScratch {
public:
    ScaleScratch() = default;
    ~ScaleScratch();
    ScaleScratch(const ScaleScratch&) = delete;
    ScaleScratch& operator=(const ScaleScratch&) = delete;
    uint32_t* Room(size_t count);

private:
    uint32_t* sums_ = nullptr;
    size_t capacity_ = 0;
};

// The glyph of m at cell height height (1..m.Height) as runs into spans
// (room for capacity): the number of runs, which may exceed capacity (then
// ask again with room), or -1 without memory.
int32_t ScaleGlyph(const GlyphCoverage& m, int32_t height, GlyphSpan* spans, int32_t capacity, ScaleScratch& scratch);
