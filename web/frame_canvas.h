// The page's canvas: 32-bit pixels in memory (0xFF000000 | 0x00BBGGRR, the
// bytes R, G, B, A that an ImageData takes as they are), put on the HTML
// canvas once a frame. NOT-XOR is exact here, and glyphs come from a
// rasteriser as 1-bit runs, cached per font and character. Free of the
// browser: the web tests' native reference draws with the same class.
#pragma once

#include <cstdint>

#include "canvas.h"
#include "glyph_cache.h"

// A font as the savers ask for it: a face (UTF-8), a cell height in pixels,
// weight and slant.
struct FontSpec {
    char Face[256];
    int32_t Height;
    bool Bold, Italic;
};

// Where glyphs come from: the browser's text drawing in the page, a file of
// them in the tests.
class GlyphRasteriser {
public:
    virtual ~GlyphRasteriser() = default;
    // The character in the font: its advance and the runs of its set pixels
    // into spans (room for capacity). The number of runs, which may exceed
    // capacity (then nothing is written: ask again with room), or -1 when
    // the character cannot be had.
    virtual int32_t Rasterise(const FontSpec& font, TextChar ch, int32_t& advance, GlyphSpan* spans,
                              int32_t capacity) = 0;
};

class FrameCanvas final : public Canvas {
public:
    explicit FrameCanvas(GlyphRasteriser& glyphs) : glyphs_(glyphs) {}
    ~FrameCanvas() override;
    FrameCanvas(const FrameCanvas&) = delete;
    FrameCanvas& operator=(const FrameCanvas&) = delete;

    // width x height pixels, all black; false (with no pixels) without the
    // memory. Fonts and glyphs stay.
    bool Resize(int32_t width, int32_t height);
    uint32_t* Pixels() const { return pixels_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }

    void FillBox(CanvasBox box, uint32_t colour) override;
    void Ellipse(CanvasBox box, uint32_t fill, CanvasMix mix) override;
    std::unique_ptr<CanvasFont> MakeFont(const TextChar* face, int32_t height, bool bold, bool italic) override;
    bool MeasureChar(const CanvasFont* font, TextChar ch, int32_t& width, int32_t& height) override;
    void DrawChar(const CanvasFont* font, int32_t x, int32_t y, TextChar ch, uint32_t colour) override;

    // Every font and glyph made so far as text ("font" and "glyph" lines),
    // malloc'd and zero-terminated; null without memory.
    char* GlyphText() const;

    // The number of fonts; font k's description.
    int32_t FontCount() const { return fontCount_; }
    const FontSpec& FontAt(int32_t k) const { return fonts_[k]; }

private:
    int32_t FontIndex(const FontSpec& wanted);
    int32_t FontOrCurrent(const CanvasFont* font);
    const Glyph* GlyphOf(int32_t font, TextChar ch);
    void Row(int64_t y, int64_t left, int64_t right, uint32_t colour, bool notXor);

    GlyphRasteriser& glyphs_;
    uint32_t* pixels_ = nullptr;
    int32_t width_ = 0, height_ = 0;
    FontSpec* fonts_ = nullptr;  // every font asked for, once each
    int32_t fontCount_ = 0, fontCapacity_ = 0;
    int32_t current_ = -1;       // the font the last character went out in
    GlyphCache cache_;
    GlyphSpan* scratch_ = nullptr;  // the rasteriser's runs before they are kept
    int32_t scratchCapacity_ = 0;
};
