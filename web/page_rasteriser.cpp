#include "page_rasteriser.h"

#include <emscripten.h>

// The page's glyphs.js does the drawing; it keeps the last character it
// drew, so asking again with more room costs nothing.
EM_JS(int, ZamvelRasterise,
      (const char* face, int height, int bold, int italic, int ch, int* advance, void* spans, int capacity), {
          return Module.zamvelGlyphs.rasterise(UTF8ToString(face), height, bold, italic, ch, advance, spans,
                                               capacity);
      });

int32_t PageRasteriser::Rasterise(const FontSpec& font, TextChar ch, int32_t& advance, GlyphSpan* spans,
                                  int32_t capacity)
{
    static_assert(sizeof(GlyphSpan) == 6, "the script writes three 16-bit numbers a run");
    int advanceOut = 0;
    const int n = ZamvelRasterise(font.Face, font.Height, font.Bold, font.Italic, ch, &advanceOut, spans, capacity);
    advance = advanceOut;
    return n;
}
