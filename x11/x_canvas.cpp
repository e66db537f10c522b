#include "x_canvas.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "ellipse_rows.h"
#include "failure_points.h"
#include "text_codec.h"

namespace {

constexpr uint32_t Black = 0x000000;
// The face behind the canvas's own font, and its cell height: what a GDI
// device context starts with is a small system face.
constexpr char OwnFace[] = "IPAPMincho";
constexpr double OwnPixels = 16;
// Cell heights are measured on a font of this pixel size: large, so that
// the rounding of its metrics stays below a pixel up to the largest cells.
constexpr double MeasureSize = 1000;

// A font the canvas made: an Xft font of the display, closed with it.
class XftCanvasFont final : public CanvasFont {
public:
    XftCanvasFont(Display* dpy, XftFont* font) : Dpy(dpy), Font(font) {}
    ~XftCanvasFont() override { XftFontClose(Dpy, Font); }
    XftCanvasFont(const XftCanvasFont&) = delete;
    XftCanvasFont& operator=(const XftCanvasFont&) = delete;

    Display* Dpy;
    XftFont* Font;
};

int ShiftOf(unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// A copy of the matched pattern at the pixel size, opened; null when it
// cannot be.
XftFont* OpenAt(Display* dpy, const FcPattern* matched, double pixels)
{
    FcPattern* p = FcPatternDuplicate(matched);
    if (!p) return nullptr;
    FcPatternDel(p, FC_PIXEL_SIZE);
    FcPatternAddDouble(p, FC_PIXEL_SIZE, pixels);
    XftFont* font = XftFontOpenPattern(dpy, p);
    if (!font) FcPatternDestroy(p);
    return font;
}

int16_t Short(int64_t v) { return static_cast<int16_t>(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX)); }

} // namespace

XCanvas::XCanvas(const XSurface& surface) : s_(surface)
{
    // Nothing can be drawn past the 16-bit range, whatever the drawable says.
    s_.Width = std::clamp(s_.Width, 0, 32767);
    s_.Height = std::clamp(s_.Height, 0, 32767);
    const Visual* v = s_.Vis;
    trueColour_ = v && (v->c_class == TrueColor || v->c_class == DirectColor);
    if (trueColour_) {
        redShift_ = ShiftOf(v->red_mask);
        greenShift_ = ShiftOf(v->green_mask);
        blueShift_ = ShiftOf(v->blue_mask);
    }
    gc_ = XCreateGC(s_.Dpy, s_.Target, 0, nullptr);
    if (gc_) XSetForeground(s_.Dpy, gc_, gcPixel_);
    draw_ = XftDrawCreate(s_.Dpy, s_.Target, s_.Vis, s_.Map);
}

XCanvas::~XCanvas()
{
    if (ownFont_) XftFontClose(s_.Dpy, ownFont_);
    if (matched_) FcPatternDestroy(matched_);
    if (draw_) XftDrawDestroy(draw_);
    if (gc_) XFreeGC(s_.Dpy, gc_);
}

unsigned long XCanvas::Pixel(uint32_t colour) const
{
    const unsigned long r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    // Eight bits a channel scaled to the visual's own width.
    auto scale = [](unsigned long c, unsigned long mask, int shift) {
        const unsigned long max = mask >> shift;
        return ((c * max + 127) / 255) << shift;
    };
    const Visual* v = s_.Vis;
    return scale(r, v->red_mask, redShift_) | scale(g, v->green_mask, greenShift_) | scale(b, v->blue_mask, blueShift_);
}

void XCanvas::Use(unsigned long pixel, int function)
{
    if (pixel != gcPixel_) {
        XSetForeground(s_.Dpy, gc_, pixel);
        gcPixel_ = pixel;
    }
    if (function != gcFunction_) {
        XSetFunction(s_.Dpy, gc_, function);
        gcFunction_ = function;
    }
}

void XCanvas::FillBox(CanvasBox box, uint32_t colour)
{
    if (!Ready()) return;
    const int64_t left = std::max<int64_t>(box.Left, 0), right = std::min<int64_t>(box.Right, s_.Width);
    const int64_t top = std::max<int64_t>(box.Top, 0), bottom = std::min<int64_t>(box.Bottom, s_.Height);
    if (left >= right || top >= bottom) return;
    Use(Pixel(colour), GXcopy);
    XFillRectangle(s_.Dpy, s_.Target, gc_, static_cast<int>(left), static_cast<int>(top),
                   static_cast<unsigned>(right - left), static_cast<unsigned>(bottom - top));
}

// One row piece in the graphics context's colour and function, cut to the
// drawable.
void XCanvas::FillRow(int64_t y, int64_t left, int64_t right)
{
    left = std::max<int64_t>(left, 0);
    right = std::min<int64_t>(right, s_.Width);
    if (left >= right) return;
    XFillRectangle(s_.Dpy, s_.Target, gc_, Short(left), Short(y), static_cast<unsigned>(right - left), 1);
}

void XCanvas::Ellipse(CanvasBox box, uint32_t fill, CanvasMix mix)
{
    if (!Ready()) return;
    const int function = mix == CanvasMix::NotXor ? GXequiv : GXcopy;
    const int64_t top = std::max<int64_t>(box.Top, 0), bottom = std::min<int64_t>(box.Bottom, s_.Height);
    const unsigned long outline = Pixel(Black), inside = Pixel(fill);
    for (int64_t y = top; y < bottom; ++y) {
        const EllipseRowParts row = SplitEllipseRow(box, y);
        Use(outline, function);
        FillRow(y, row.OutlineLeft.Left, row.OutlineLeft.Right);
        FillRow(y, row.OutlineRight.Left, row.OutlineRight.Right);
        if (row.Inside.Left < row.Inside.Right) {
            Use(inside, function);
            FillRow(y, row.Inside.Left, row.Inside.Right);
        }
    }
}

// Matches the face once for all the heights asked for after it; the cell
// height of a large font gives the scale from GDI's cell height (the
// font's ascent plus descent) to Xft's pixel size.
bool XCanvas::MatchFace(const char* face, bool bold, bool italic)
{
    if (matched_ && std::strcmp(face, matchedFace_) == 0 && bold == matchedBold_ && italic == matchedItalic_)
        return true;
    if (matched_) FcPatternDestroy(matched_);
    matched_ = nullptr;
    FcPattern* want = FcPatternCreate();
    if (!want) return false;
    FcPatternAddString(want, FC_FAMILY, reinterpret_cast<const FcChar8*>(face));
    FcPatternAddInteger(want, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(want, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddDouble(want, FC_PIXEL_SIZE, MeasureSize);
    // Unsmoothed: a glyph drawn again in black takes every pixel it set.
    FcPatternAddBool(want, FC_ANTIALIAS, FcFalse);
    XftResult result;
    FcPattern* got = XftFontMatch(s_.Dpy, DefaultScreen(s_.Dpy), want, &result);
    FcPatternDestroy(want);
    if (!got) return false;
    XftFont* probe = OpenAt(s_.Dpy, got, MeasureSize);
    if (!probe) {
        FcPatternDestroy(got);
        return false;
    }
    const int cell = probe->ascent + probe->descent;
    XftFontClose(s_.Dpy, probe);
    matched_ = got;
    pixelsPerCell_ = cell > 0 ? MeasureSize / cell : 1.0;
    std::snprintf(matchedFace_, sizeof matchedFace_, "%s", face);
    matchedBold_ = bold;
    matchedItalic_ = italic;
    return true;
}

std::unique_ptr<CanvasFont> XCanvas::MakeFont(const TextChar* face, int32_t height, bool bold, bool italic)
{
    char name[256];
    if (!Utf16ToUtf8(face, name, sizeof name) || height <= 0 || !MatchFace(name, bold, italic)) return nullptr;
    XftFont* font = OpenAt(s_.Dpy, matched_, height * pixelsPerCell_);
    if (!font) return nullptr;
    std::unique_ptr<CanvasFont> made(NewOrNull<XftCanvasFont>(s_.Dpy, font));
    if (!made) XftFontClose(s_.Dpy, font);
    return made;
}

// The font asked for, else the one last drawn in, else the canvas's own.
XftFont* XCanvas::FontOrCurrent(const CanvasFont* font)
{
    if (font) current_ = static_cast<const XftCanvasFont*>(font)->Font;
    if (current_) return current_;
    if (!ownFont_) {
        FcPattern* want = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, OwnFace, FC_PIXEL_SIZE, FcTypeDouble,
                                         OwnPixels, FC_ANTIALIAS, FcTypeBool, FcFalse, nullptr);
        if (want) {
            XftResult result;
            FcPattern* got = XftFontMatch(s_.Dpy, DefaultScreen(s_.Dpy), want, &result);
            FcPatternDestroy(want);
            if (got) ownFont_ = XftFontOpenPattern(s_.Dpy, got);
            if (got && !ownFont_) FcPatternDestroy(got);
        }
    }
    current_ = ownFont_;
    return current_;
}

bool XCanvas::MeasureChar(const CanvasFont* font, TextChar ch, int32_t& width, int32_t& height)
{
    width = height = 0;
    XftFont* f = FontOrCurrent(font);
    if (!f) return false;
    const FcChar16 c = ch;
    XGlyphInfo info{};
    XftTextExtents16(s_.Dpy, f, &c, 1, &info);
    width = info.xOff;
    height = f->ascent + f->descent;
    return true;
}

void XCanvas::DrawChar(const CanvasFont* font, int32_t x, int32_t y, TextChar ch, uint32_t colour)
{
    if (!Ready()) return;
    XftFont* f = FontOrCurrent(font);
    if (!f) return;
    // A glyph wholly outside the drawable is skipped: its position might
    // not even fit X's 16 bits.
    const int64_t cell = f->ascent + f->descent, wide = std::max(f->max_advance_width, static_cast<int>(cell));
    if (int64_t{x} + wide < 0 || x > s_.Width || int64_t{y} + cell < 0 || y > s_.Height) return;
    // A character the face lacks draws nothing rather than a box.
    if (!XftCharExists(s_.Dpy, f, ch)) return;
    XftColor c{};
    c.pixel = Pixel(colour);
    c.color.red = static_cast<unsigned short>((colour & 0xFF) * 257);
    c.color.green = static_cast<unsigned short>(((colour >> 8) & 0xFF) * 257);
    c.color.blue = static_cast<unsigned short>(((colour >> 16) & 0xFF) * 257);
    c.color.alpha = 0xFFFF;
    const FcChar16 c16 = ch;
    // GDI places the cell's top-left corner, Xft the baseline.
    XftDrawString16(draw_, &c, f, x, y + f->ascent, &c16, 1);
}
