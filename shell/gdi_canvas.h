// The canvas on a GDI device context, for one frame or one measuring pass.
// It changes the DC's pen, brush, mix mode, font, text colour and background
// mode only as the drawing needs and gives the DC its own objects back when
// it goes; every brush it makes is deleted before the next one is made.
#pragma once

#include <windows.h>

#include "canvas.h"

class GdiCanvas final : public Canvas {
public:
    // dc may be null for a canvas that only makes fonts.
    explicit GdiCanvas(HDC dc);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void FillBox(CanvasBox box, uint32_t colour) override;
    void Ellipse(CanvasBox box, uint32_t fill, CanvasMix mix) override;
    std::unique_ptr<CanvasFont> MakeFont(const TextChar* face, int32_t height, bool bold, bool italic) override;
    bool MeasureChar(const CanvasFont* font, TextChar ch, int32_t& width, int32_t& height) override;
    void DrawChar(const CanvasFont* font, int32_t x, int32_t y, TextChar ch, uint32_t colour) override;

private:
    HBRUSH BrushFor(uint32_t colour);
    void Select(HGDIOBJ object, HGDIOBJ& saved);
    void SelectFont(const CanvasFont* font);

    HDC dc_;
    bool pixels_ = false;  // the DC's units are pixels (no preview scaling)
    HGDIOBJ savedPen_ = nullptr, savedBrush_ = nullptr, savedFont_ = nullptr;
    int savedMix_ = 0;
    bool textReady_ = false;
    COLORREF textColour_ = CLR_INVALID;
    // The one brush made and not yet deleted, and its colour.
    HBRUSH brush_ = nullptr;
    uint32_t brushColour_ = 0;
};

// The GDI font behind a canvas font the GdiCanvas made, and the memory DC
// that holds it selected for its life.
HFONT GdiFontHandle(const CanvasFont* font);
HDC GdiFontHolder(const CanvasFont* font);
