// A canvas in memory, for the pictures the logic says the programs draw:
// boxes and ellipses (the same rows as the X canvas) on 0x00RRGGBB pixels.
// Text is not drawn here.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"
#include "ellipse_rows.h"

class PixelCanvas final : public Canvas {
public:
    PixelCanvas(int32_t width, int32_t height, uint32_t rgb) : Width(width), Height(height), Pixels(size_t(width) * height, rgb) {}

    void FillBox(CanvasBox box, uint32_t colour) override
    {
        for (int64_t y = box.Top; y < box.Bottom; ++y) Row(y, box.Left, box.Right, Rgb(colour), false);
    }
    void Ellipse(CanvasBox box, uint32_t fill, CanvasMix mix) override
    {
        const bool notXor = mix == CanvasMix::NotXor;
        for (int64_t y = box.Top; y < box.Bottom; ++y) {
            const EllipseRowParts r = SplitEllipseRow(box, y);
            Row(y, r.OutlineLeft.Left, r.OutlineLeft.Right, 0, notXor);
            Row(y, r.OutlineRight.Left, r.OutlineRight.Right, 0, notXor);
            Row(y, r.Inside.Left, r.Inside.Right, Rgb(fill), notXor);
        }
    }
    std::unique_ptr<CanvasFont> MakeFont(const TextChar*, int32_t, bool, bool) override { return nullptr; }
    bool MeasureChar(const CanvasFont*, TextChar, int32_t& w, int32_t& h) override { return w = h = 0, false; }
    void DrawChar(const CanvasFont*, int32_t, int32_t, TextChar, uint32_t) override {}

    static uint32_t Rgb(uint32_t colour)
    {
        return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    }

    const int32_t Width, Height;
    std::vector<uint32_t> Pixels;

private:
    void Row(int64_t y, int64_t left, int64_t right, uint32_t rgb, bool notXor)
    {
        if (y < 0 || y >= Height) return;
        for (int64_t x = left < 0 ? 0 : left; x < right && x < Width; ++x) {
            uint32_t& p = Pixels[size_t(y) * Width + size_t(x)];
            p = notXor ? ~(rgb ^ p) & 0xFFFFFF : rgb;
        }
    }
};
