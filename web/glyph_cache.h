// The page's glyphs in 1-bit form, kept per font and character: each glyph
// is its advance and the runs of its set pixels, so that drawing it is a few
// row fills and drawing it again in black takes back exactly what it set.
#pragma once

#include <cstdint>

#include "block_table.h"
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

class GlyphCache {
public:
    const Glyph* Find(int32_t font, TextChar ch) const { return static_cast<const Glyph*>(table_.Find(Key(font, ch))); }
    // A copy of the runs kept as the glyph of (font, ch); null without memory.
    const Glyph* Add(int32_t font, TextChar ch, int32_t advance, const GlyphSpan* spans, int32_t count);

    // Each glyph with its font and character, in no particular order.
    template <class Visit>
    void ForEach(Visit visit) const
    {
        table_.ForEach([&](uint32_t key, const void* block) {
            visit(static_cast<int32_t>(key >> 16), static_cast<TextChar>(key), *static_cast<const Glyph*>(block));
        });
    }

private:
    static uint32_t Key(int32_t font, TextChar ch) { return (static_cast<uint32_t>(font) << 16) | ch; }
    BlockTable table_{size_t{128} << 20};
};
