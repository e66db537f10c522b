// Glyphs from the browser's own text drawing: the page's script draws the
// character with fillText and cuts its coverage into 1-bit runs.
#pragma once

#include "frame_canvas.h"

class PageRasteriser final : public GlyphRasteriser {
public:
    int32_t Rasterise(const FontSpec& font, TextChar ch, int32_t& advance, GlyphSpan* spans,
                      int32_t capacity) override;
};
