#include "glyph_cache.h"

#include <cstring>

const Glyph* GlyphCache::Add(int32_t font, TextChar ch, int32_t advance, const GlyphSpan* spans, int32_t count)
{
    if (font < 0 || font > 0xFFFF || count < 0) return nullptr;
    const size_t n = static_cast<size_t>(count);
    Glyph* g = static_cast<Glyph*>(table_.Add(Key(font, ch), sizeof(Glyph) + sizeof(GlyphSpan) * n));
    if (!g) return nullptr;
    GlyphSpan* copy = reinterpret_cast<GlyphSpan*>(g + 1);
    if (n) std::memcpy(copy, spans, sizeof(GlyphSpan) * n);
    *g = Glyph{advance, count, copy};
    return g;
}
