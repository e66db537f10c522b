#include "frame_canvas.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ellipse_rows.h"
#include "failure_points.h"
#include "text_codec.h"

namespace {

constexpr uint32_t Opaque = 0xFF000000;
// The canvas's own font, as a device context starts with a small face.
constexpr char OwnFace[] = "IPAPMincho";
constexpr int32_t OwnHeight = 16;
// Fonts are numbered in 16 bits in the glyph cache.
constexpr int32_t MaxFonts = 0x10000;

class FrameFont final : public CanvasFont {
public:
    explicit FrameFont(int32_t index) : Index(index) {}
    const int32_t Index;
};

bool SameSpec(const FontSpec& a, const FontSpec& b)
{
    return a.Height == b.Height && a.Bold == b.Bold && a.Italic == b.Italic && std::strcmp(a.Face, b.Face) == 0;
}

} // namespace

FrameCanvas::~FrameCanvas()
{
    std::free(pixels_);
    std::free(fonts_);
    std::free(scratch_);
}

bool FrameCanvas::Resize(int32_t width, int32_t height)
{
    std::free(pixels_);
    pixels_ = nullptr;
    width_ = height_ = 0;
    if (width <= 0 || height <= 0 || width > 32768 || height > 32768) return false;
    pixels_ = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) * static_cast<size_t>(width) * height));
    if (!pixels_) return false;
    width_ = width;
    height_ = height;
    std::fill(pixels_, pixels_ + static_cast<size_t>(width) * height, Opaque);
    return true;
}

void FrameCanvas::Row(int64_t y, int64_t left, int64_t right, uint32_t colour, bool notXor)
{
    if (y < 0 || y >= height_) return;
    left = std::max<int64_t>(left, 0);
    right = std::min<int64_t>(right, width_);
    uint32_t* p = pixels_ + static_cast<size_t>(y) * width_;
    if (notXor)
        for (int64_t x = left; x < right; ++x) p[x] = ~(colour ^ p[x]) | Opaque;
    else
        for (int64_t x = left; x < right; ++x) p[x] = colour | Opaque;
}

void FrameCanvas::FillBox(CanvasBox box, uint32_t colour)
{
    const int64_t top = std::max<int64_t>(box.Top, 0), bottom = std::min<int64_t>(box.Bottom, height_);
    for (int64_t y = top; y < bottom; ++y) Row(y, box.Left, box.Right, colour & 0xFFFFFF, false);
}

void FrameCanvas::Ellipse(CanvasBox box, uint32_t fill, CanvasMix mix)
{
    const bool notXor = mix == CanvasMix::NotXor;
    const int64_t top = std::max<int64_t>(box.Top, 0), bottom = std::min<int64_t>(box.Bottom, height_);
    for (int64_t y = top; y < bottom; ++y) {
        const EllipseRowParts r = SplitEllipseRow(box, y);
        Row(y, r.OutlineLeft.Left, r.OutlineLeft.Right, 0, notXor);
        Row(y, r.OutlineRight.Left, r.OutlineRight.Right, 0, notXor);
        Row(y, r.Inside.Left, r.Inside.Right, fill & 0xFFFFFF, notXor);
    }
}

// The font's number, added when new; -1 when there is no room.
int32_t FrameCanvas::FontIndex(const FontSpec& wanted)
{
    for (int32_t k = 0; k < fontCount_; ++k)
        if (SameSpec(fonts_[k], wanted)) return k;
    if (fontCount_ == fontCapacity_) {
        const int32_t capacity = fontCapacity_ ? 2 * fontCapacity_ : 64;
        if (capacity > MaxFonts) return -1;
        FontSpec* grown = static_cast<FontSpec*>(std::realloc(fonts_, sizeof(FontSpec) * static_cast<size_t>(capacity)));
        if (!grown) return -1;
        fonts_ = grown;
        fontCapacity_ = capacity;
    }
    fonts_[fontCount_] = wanted;
    return fontCount_++;
}

std::unique_ptr<CanvasFont> FrameCanvas::MakeFont(const TextChar* face, int32_t height, bool bold, bool italic)
{
    FontSpec wanted{};
    if (!face || !face[0] || height <= 0 || !Utf16ToUtf8(face, wanted.Face, sizeof wanted.Face)) return nullptr;
    wanted.Height = height;
    wanted.Bold = bold;
    wanted.Italic = italic;
    const int32_t k = FontIndex(wanted);
    return std::unique_ptr<CanvasFont>(k < 0 ? nullptr : NewOrNull<FrameFont>(k));
}

// The font asked for, else the one last drawn in, else the canvas's own.
int32_t FrameCanvas::FontOrCurrent(const CanvasFont* font)
{
    if (font) current_ = static_cast<const FrameFont*>(font)->Index;
    if (current_ < 0) {
        FontSpec own{};
        std::snprintf(own.Face, sizeof own.Face, "%s", OwnFace);
        own.Height = OwnHeight;
        current_ = FontIndex(own);
    }
    return current_;
}

const Glyph* FrameCanvas::GlyphOf(int32_t font, TextChar ch)
{
    if (font < 0) return nullptr;
    if (const Glyph* g = cache_.Find(font, ch)) return g;
    int32_t advance = 0;
    int32_t n = glyphs_.Rasterise(fonts_[font], ch, advance, scratch_, scratchCapacity_);
    if (n > scratchCapacity_) {
        GlyphSpan* grown = static_cast<GlyphSpan*>(std::realloc(scratch_, sizeof(GlyphSpan) * static_cast<size_t>(n)));
        if (!grown) return nullptr;
        scratch_ = grown;
        scratchCapacity_ = n;
        n = glyphs_.Rasterise(fonts_[font], ch, advance, scratch_, scratchCapacity_);
    }
    // A character that cannot be had is kept as nothing, not asked again.
    if (n < 0 || n > scratchCapacity_) advance = n = 0;
    return cache_.Add(font, ch, advance, scratch_, n);
}

bool FrameCanvas::MeasureChar(const CanvasFont* font, TextChar ch, int32_t& width, int32_t& height)
{
    width = height = 0;
    const int32_t k = FontOrCurrent(font);
    const Glyph* g = GlyphOf(k, ch);
    if (!g) return false;
    width = g->Advance;
    height = fonts_[k].Height;
    return true;
}

void FrameCanvas::DrawChar(const CanvasFont* font, int32_t x, int32_t y, TextChar ch, uint32_t colour)
{
    const Glyph* g = GlyphOf(FontOrCurrent(font), ch);
    if (!g || !pixels_) return;
    for (int32_t i = 0; i < g->SpanCount; ++i) {
        const GlyphSpan& s = g->Spans[i];
        Row(int64_t{y} + s.Y, int64_t{x} + s.Left, int64_t{x} + s.Right, colour & 0xFFFFFF, false);
    }
}

char* FrameCanvas::GlyphText() const
{
    // Sized in a first pass, written in a second.
    size_t size = 1;
    char line[400];
    for (int32_t k = 0; k < fontCount_; ++k) size += 320;
    cache_.ForEach([&](int32_t, TextChar, const Glyph& g) { size += 64 + 24 * static_cast<size_t>(g.SpanCount); });
    char* text = static_cast<char*>(std::malloc(size));
    if (!text) return nullptr;
    size_t used = 0;
    auto put = [&](const char* s) {
        const size_t n = std::strlen(s);
        if (used + n < size) std::memcpy(text + used, s, n), used += n;
    };
    for (int32_t k = 0; k < fontCount_; ++k) {
        const FontSpec& f = fonts_[k];
        std::snprintf(line, sizeof line, "font %d %d %d %d %s\n", k, f.Height, f.Bold ? 1 : 0, f.Italic ? 1 : 0, f.Face);
        put(line);
    }
    cache_.ForEach([&](int32_t font, TextChar ch, const Glyph& g) {
        std::snprintf(line, sizeof line, "glyph %d %d %d %d", font, ch, g.Advance, g.SpanCount);
        put(line);
        for (int32_t i = 0; i < g.SpanCount; ++i) {
            std::snprintf(line, sizeof line, " %d %d %d", g.Spans[i].Y, g.Spans[i].Left, g.Spans[i].Right);
            put(line);
        }
        put("\n");
    });
    text[used] = 0;
    return text;
}
