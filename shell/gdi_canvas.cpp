#include "gdi_canvas.h"

#include "failure_points.h"

namespace {

constexpr uint32_t Black = 0x000000, White = 0xFFFFFF;

// A font and a small memory DC that holds it selected for the font's life:
// a font no DC holds may be dropped from the system's cache and rebuilt at
// its next use, which made cycling through many fonts each tick several
// times slower.
class GdiFont final : public CanvasFont {
public:
    explicit GdiFont(HFONT font)
        : Font(font), Holder(InjectedFailure(FailurePoint::GdiObject) ? nullptr : CreateCompatibleDC(nullptr))
    {
        if (Holder) SelectObject(Holder, Font);
    }
    ~GdiFont() override
    {
        // The DC goes first, so that the font is selected nowhere when it
        // is deleted.
        if (Holder) DeleteDC(Holder);
        DeleteObject(Font);
    }
    GdiFont(const GdiFont&) = delete;
    GdiFont& operator=(const GdiFont&) = delete;

    HFONT Font;
    HDC Holder;
};

int MixMode(CanvasMix mix) { return mix == CanvasMix::NotXor ? R2_NOTXORPEN : R2_COPYPEN; }

} // namespace

HFONT GdiFontHandle(const CanvasFont* font) { return font ? static_cast<const GdiFont*>(font)->Font : nullptr; }

HDC GdiFontHolder(const CanvasFont* font) { return font ? static_cast<const GdiFont*>(font)->Holder : nullptr; }

GdiCanvas::GdiCanvas(HDC dc) : dc_(dc)
{
    if (dc_) pixels_ = GetMapMode(dc_) == MM_TEXT;
}

GdiCanvas::~GdiCanvas()
{
    if (!dc_) return;
    if (savedPen_) SelectObject(dc_, savedPen_);
    if (savedBrush_) SelectObject(dc_, savedBrush_);
    if (savedFont_) SelectObject(dc_, savedFont_);
    if (savedMix_) SetROP2(dc_, savedMix_);
    if (brush_) DeleteObject(brush_);
}

void GdiCanvas::Select(HGDIOBJ object, HGDIOBJ& saved)
{
    const HGDIOBJ previous = SelectObject(dc_, object);
    if (!saved) saved = previous;
}

// Black and white are stock brushes; any other colour gets a solid brush,
// kept while the same colour is asked for again.
HBRUSH GdiCanvas::BrushFor(uint32_t colour)
{
    if (colour == Black) return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    if (colour == White) return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    if (brush_ && brushColour_ == colour) return brush_;
    // The brush in use goes before a new one is made: out of the DC first,
    // since a brush still selected would not be freed.
    if (brush_) {
        if (savedBrush_) SelectObject(dc_, savedBrush_);
        DeleteObject(brush_);
        brush_ = nullptr;
    }
    const LOGBRUSH solid{BS_SOLID, colour, 0};
    brush_ = InjectedFailure(FailurePoint::GdiObject) ? nullptr : CreateBrushIndirect(&solid);
    brushColour_ = colour;
    return brush_;
}

void GdiCanvas::FillBox(CanvasBox box, uint32_t colour)
{
    if (!dc_) return;
    const int32_t w = box.Right - box.Left, h = box.Bottom - box.Top;
    if (w <= 0 || h <= 0) return;
    if (pixels_ && (colour == Black || colour == White)) {
        // Where the units are pixels a pattern fill is the cheapest way.
        PatBlt(dc_, box.Left, box.Top, w, h, colour == Black ? BLACKNESS : WHITENESS);
        return;
    }
    // A rectangle drawn with the null pen loses its right and bottom row:
    // one unit more each way covers the box, scaled or not.
    HBRUSH brush = BrushFor(colour);
    if (!brush) return;
    Select(GetStockObject(NULL_PEN), savedPen_);
    Select(brush, savedBrush_);
    if (savedMix_) SetROP2(dc_, R2_COPYPEN);
    Rectangle(dc_, box.Left, box.Top, box.Right + 1, box.Bottom + 1);
}

void GdiCanvas::Ellipse(CanvasBox box, uint32_t fill, CanvasMix mix)
{
    if (!dc_) return;
    HBRUSH brush = BrushFor(fill);
    if (!brush) return;
    // Outlined with the DC's own pen, black and one pixel wide.
    if (savedPen_) {
        SelectObject(dc_, savedPen_);
        savedPen_ = nullptr;
    }
    Select(brush, savedBrush_);
    const int previous = SetROP2(dc_, MixMode(mix));
    if (!savedMix_) savedMix_ = previous;
    ::Ellipse(dc_, box.Left, box.Top, box.Right, box.Bottom);
}

std::unique_ptr<CanvasFont> GdiCanvas::MakeFont(const TextChar* face, int32_t height, bool bold, bool italic)
{
    if (InjectedFailure(FailurePoint::GdiObject)) return nullptr;
    HFONT font = CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic ? TRUE : FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face ? face : L"");
    if (!font) return nullptr;
    std::unique_ptr<CanvasFont> made(NewOrNull<GdiFont>(font));
    if (!made) DeleteObject(font);
    return made;
}

void GdiCanvas::SelectFont(const CanvasFont* font)
{
    if (font) Select(static_cast<const GdiFont*>(font)->Font, savedFont_);
}

bool GdiCanvas::MeasureChar(const CanvasFont* font, TextChar ch, int32_t& width, int32_t& height)
{
    width = height = 0;
    if (!dc_) return false;
    SelectFont(font);
    SIZE size{};
    if (!GetTextExtentPoint32W(dc_, &ch, 1, &size)) return false;
    width = size.cx;
    height = size.cy;
    return true;
}

void GdiCanvas::DrawChar(const CanvasFont* font, int32_t x, int32_t y, TextChar ch, uint32_t colour)
{
    if (!dc_) return;
    if (!textReady_) {
        SetBkMode(dc_, TRANSPARENT);
        textReady_ = true;
    }
    if (textColour_ != colour) {
        SetTextColor(dc_, colour);
        textColour_ = colour;
    }
    SelectFont(font);
    TextOutW(dc_, x, y, &ch, 1);
}
