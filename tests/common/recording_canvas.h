// A canvas that draws nothing and remembers what it was asked: the runs'
// drawing checked natively. Its fonts come through the failure plan as a
// platform's fonts would, so a test can refuse them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "canvas.h"
#include "failure_points.h"

class RecordingCanvas final : public Canvas {
public:
    struct Font final : CanvasFont {
        int32_t Height;
        explicit Font(int32_t height) : Height(height) {}
    };

    void FillBox(CanvasBox box, uint32_t colour) override { Boxes.push_back({box, colour}); }
    void Ellipse(CanvasBox box, uint32_t fill, CanvasMix mix) override { Ellipses.push_back({box, fill, mix}); }
    std::unique_ptr<CanvasFont> MakeFont(const TextChar*, int32_t height, bool, bool) override
    {
        if (InjectedFailure(FailurePoint::GdiObject)) return nullptr;
        return std::unique_ptr<CanvasFont>(NewOrNull<Font>(height));
    }
    // Every character of a font is as wide as half its height and as tall;
    // 16 x 16 in the canvas's own font.
    bool MeasureChar(const CanvasFont* font, TextChar, int32_t& width, int32_t& height) override
    {
        height = font ? static_cast<const Font*>(font)->Height : 16;
        width = font ? height / 2 : 16;
        return true;
    }
    void DrawChar(const CanvasFont*, int32_t x, int32_t y, TextChar ch, uint32_t colour) override
    {
        Chars.push_back({x, y, ch, colour});
    }

    struct Filled {
        CanvasBox Box;
        uint32_t Colour;
        CanvasMix Mix = CanvasMix::Copy;
    };
    struct Drawn {
        int32_t X, Y;
        TextChar Ch;
        uint32_t Colour;
    };
    std::vector<Filled> Boxes, Ellipses;
    std::vector<Drawn> Chars;

    void Clear()
    {
        Boxes.clear();
        Ellipses.clear();
        Chars.clear();
    }
};
