#include "glyph_scale.h"

#include <algorithm>
#include <cstdlib>

namespace {

// floor(a / b) for b > 0.
int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The master's pixels [first, last) along one axis for pixel p of the
// smaller glyph: each small pixel covers M / h master pixels.
struct Range {
    int64_t First, Last;
};
Range Under(int64_t p, int32_t master, int32_t height)
{
    return {FloorDiv(p * master, height), FloorDiv((p + 1) * master, height)};
}

// The smaller glyph's first pixel and one past its last along an axis,
// for the master's box [start, start + size).
Range Cover(int32_t start, int32_t size, int32_t master, int32_t height)
{
    return {FloorDiv(int64_t{start} * height, master), FloorDiv((int64_t{start} + size) * height + master - 1, master)};
}

} // namespace

int32_t ScaledAdvance(const GlyphCoverage& m, int32_t height)
{
    if (m.Height <= 0) return 0;
    const int64_t unit = int64_t{m.Height} * 65536;
    return static_cast<int32_t>(FloorDiv(int64_t{m.Advance} * height + unit / 2, unit));
}

ScaleScratch::~ScaleScratch() { std::free(sums_); }

uint32_t* ScaleScratch::Room(size_t count)
{
    if (count > capacity_) {
        uint32_t* grown = static_cast<uint32_t*>(std::realloc(sums_, sizeof(uint32_t) * count));
        if (!grown) return nullptr;
        sums_ = grown;
        capacity_ = count;
    }
    return sums_;
}

int32_t ScaleGlyph(const GlyphCoverage& m, int32_t height, GlyphSpan* spans, int32_t capacity, ScaleScratch& scratch)
{
    if (height <= 0 || height > m.Height || m.Width <= 0 || m.Rows <= 0) return 0;
    const Range xs = Cover(m.Left, m.Width, m.Height, height), ys = Cover(m.Top, m.Rows, m.Height, height);
    const size_t w = static_cast<size_t>(xs.Last - xs.First);
    // The column sums, then each column's master pixels: [from, to) inside
    // the box and the width it stands for.
    uint32_t* sums = scratch.Room(w * static_cast<size_t>(m.Rows) + 4 * w + static_cast<size_t>(m.Width) + 1);
    if (!sums) return -1;
    uint32_t *from = sums + w * static_cast<size_t>(m.Rows), *to = from + w, *wide = to + w, *column = wide + w;
    uint32_t* prefix = column + w;  // a master row's running sums
    for (size_t i = 0; i < w; ++i) {
        const Range under = Under(xs.First + static_cast<int64_t>(i), m.Height, height);
        from[i] = static_cast<uint32_t>(std::clamp<int64_t>(under.First - m.Left, 0, m.Width));
        to[i] = static_cast<uint32_t>(std::clamp<int64_t>(under.Last - m.Left, 0, m.Width));
        wide[i] = static_cast<uint32_t>(under.Last - under.First);
    }
    // First along the rows: each master row's coverage under each column
    // of the smaller glyph.
    prefix[0] = 0;
    for (int32_t r = 0; r < m.Rows; ++r) {
        const uint8_t* row = m.Alpha + static_cast<size_t>(r) * m.Width;
        for (int32_t x = 0; x < m.Width; ++x) prefix[x + 1] = prefix[x] + row[x];
        uint32_t* out = sums + static_cast<size_t>(r) * w;
        for (size_t i = 0; i < w; ++i) out[i] = prefix[to[i]] - prefix[from[i]];
    }
    // Then down the columns, a pixel set where the mean reaches one half.
    int32_t n = 0;
    for (int64_t y = ys.First; y < ys.Last; ++y) {
        const Range under = Under(y, m.Height, height);
        const int64_t a = std::max<int64_t>(under.First - m.Top, 0), b = std::min<int64_t>(under.Last - m.Top, m.Rows);
        const uint64_t tall = static_cast<uint64_t>(under.Last - under.First);
        std::fill(column, column + w, 0u);
        for (int64_t r = a; r < b; ++r) {
            const uint32_t* row = sums + static_cast<size_t>(r) * w;
            for (size_t i = 0; i < w; ++i) column[i] += row[i];
        }
        int64_t start = -1;
        for (size_t i = 0; i <= w; ++i) {
            const bool set = i < w && 2 * uint64_t{column[i]} >= 255 * tall * wide[i];
            if (set && start < 0) start = static_cast<int64_t>(i);
            if (!set && start >= 0) {
                if (n < capacity)
                    spans[n] = GlyphSpan{static_cast<int16_t>(y), static_cast<int16_t>(xs.First + start),
                                         static_cast<int16_t>(xs.First + static_cast<int64_t>(i))};
                ++n;
                start = -1;
            }
        }
    }
    return n;
}
