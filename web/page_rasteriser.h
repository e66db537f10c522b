// Glyphs from the browser's own text drawing: the page's script draws each
// character of a face once, large, with fillText and hands over its
// coverage (the master); every cell height up to the master's is cut from
// it (glyph_scale.h), its advance too. Taller cells are drawn at their own
// size.
#pragma once

#include "block_table.h"
#include "frame_canvas.h"
#include "glyph_scale.h"

class PageRasteriser final : public GlyphRasteriser {
public:
    PageRasteriser() = default;
    ~PageRasteriser() override;
    PageRasteriser(const PageRasteriser&) = delete;
    PageRasteriser& operator=(const PageRasteriser&) = delete;

    int32_t Rasterise(const FontSpec& font, TextChar ch, int32_t& advance, GlyphSpan* spans,
                      int32_t capacity) override;

private:
    struct Face {
        char Name[256];
        bool Bold, Italic;
    };
    int32_t FaceIndex(const FontSpec& font);
    // The coverage of ch at cell height, into a block from malloc (with the
    // header in front); null when it cannot be had.
    GlyphCoverage* Draw(const FontSpec& font, int32_t height, TextChar ch);

    Face* faces_ = nullptr;
    int32_t faceCount_ = 0, faceCapacity_ = 0;
    BlockTable masters_{size_t{96} << 20};
    ScaleScratch scratch_;
};
