// The page's glyphs in 1-bit form, kept per font and character: each glyph
// is its advance and the runs of its set pixels, so that drawing it is a few
// row fills and drawing it again in black takes back exactly what it set.
#pragma once

#include <cstddef>
#include <cstdint>

#include "text_char.h"

// [Left, Right) on row Y, from the cell's top-left corner.
struct GlyphSpan {
    int16_t Y, Left, Right;
};

struct Glyph {
    int32_t Advance;
    int32_t SpanCount;
    const GlyphSpan* Spans;  // SpanCount runs, in the same block as the glyph
};

// An open-addressing table from (font, character) to glyph; every block is
// its own, from malloc. Past MaxBytes it starts again empty: a glyph made
// anew comes out the same, so nothing drawn changes.
class GlyphCache {
public:
    static constexpr size_t MaxBytes = size_t{64} << 20;

    GlyphCache() = default;
    ~GlyphCache();
    GlyphCache(const GlyphCache&) = delete;
    GlyphCache& operator=(const GlyphCache&) = delete;

    const Glyph* Find(int32_t font, TextChar ch) const;
    // A copy of the runs kept as the glyph of (font, ch); null without memory.
    const Glyph* Add(int32_t font, TextChar ch, int32_t advance, const GlyphSpan* spans, int32_t count);
    void Clear();

    // Each glyph with its font and character, in no particular order.
    template <class Visit>
    void ForEach(Visit visit) const
    {
        for (size_t i = 0; i < capacity_; ++i)
            if (slots_[i].Value) visit(static_cast<int32_t>(slots_[i].Key >> 16), static_cast<TextChar>(slots_[i].Key), *slots_[i].Value);
    }

private:
    struct Slot {
        uint32_t Key;
        Glyph* Value;
    };
    bool Grow();
    size_t IndexOf(uint32_t key) const;

    Slot* slots_ = nullptr;
    size_t capacity_ = 0, count_ = 0, bytes_ = 0;
};
