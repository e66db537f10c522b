// The canvas on an X drawable: Xlib for boxes and ellipses, Xft for text.
// It gives the pictures the GDI canvas gives: GDI's NOT-XOR mix is X's
// GXequiv, ellipses are filled row by row so that each pixel is touched
// once, and glyphs are drawn without smoothing so that drawing them again
// in black leaves nothing. X coordinates are 16-bit: whatever lies outside
// the drawable is cut off or skipped before it reaches the server.
#pragma once

#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>

#include "canvas.h"

struct XSurface {
    Display* Dpy;
    Drawable Target;
    Visual* Vis;
    Colormap Map;
    int32_t Width, Height;  // nothing is drawn outside 0..Width x 0..Height
};

class XCanvas final : public Canvas {
public:
    explicit XCanvas(const XSurface& surface);
    ~XCanvas() override;
    XCanvas(const XCanvas&) = delete;
    XCanvas& operator=(const XCanvas&) = delete;

    // False when the graphics context or the text drawing could not be made
    // (or the visual is not a true-colour one).
    bool Ready() const { return gc_ && draw_ && trueColour_; }

    void FillBox(CanvasBox box, uint32_t colour) override;
    void Ellipse(CanvasBox box, uint32_t fill, CanvasMix mix) override;
    std::unique_ptr<CanvasFont> MakeFont(const TextChar* face, int32_t height, bool bold, bool italic) override;
    bool MeasureChar(const CanvasFont* font, TextChar ch, int32_t& width, int32_t& height) override;
    void DrawChar(const CanvasFont* font, int32_t x, int32_t y, TextChar ch, uint32_t colour) override;

    // The pixel value of a 0x00BBGGRR colour in this visual.
    unsigned long Pixel(uint32_t colour) const;

private:
    void Use(unsigned long pixel, int function);
    void FillRow(int64_t y, int64_t left, int64_t right);
    XftFont* FontOrCurrent(const CanvasFont* font);
    bool MatchFace(const char* face, bool bold, bool italic);

    XSurface s_;
    GC gc_ = nullptr;
    XftDraw* draw_ = nullptr;
    bool trueColour_ = false;
    int redShift_ = 0, greenShift_ = 0, blueShift_ = 0;
    unsigned long gcPixel_ = 0;
    int gcFunction_ = GXcopy;
    // The last face asked for, matched once: each height opens a copy of it.
    char matchedFace_[256] = "";
    bool matchedBold_ = false, matchedItalic_ = false;
    FcPattern* matched_ = nullptr;
    double pixelsPerCell_ = 1.0;  // Xft pixel size for one unit of cell height
    XftFont* ownFont_ = nullptr;  // the canvas's own font, made when first needed
    XftFont* current_ = nullptr;  // the font the last character was drawn in
};
