// What the savers draw with: the few operations their pictures need, free of
// any platform. Each platform gives an implementation (GDI on Windows, Xlib
// and Xft on Linux); a saver's drawing code is written once against this.
// Positions are the saver's full-screen units, colours 0x00BBGGRR.
#pragma once

#include <cstdint>
#include <memory>

#include "text_char.h"

// [Left, Right) x [Top, Bottom).
struct CanvasBox {
    int32_t Left, Top, Right, Bottom;
};

// How a shape's pixels meet what is already there.
enum class CanvasMix {
    Copy,    // the shape's colour
    NotXor,  // ~(colour ^ what is there): drawing the same twice restores it
};

// A font the canvas made; deleting it frees it.
class CanvasFont {
public:
    virtual ~CanvasFont() = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // Every pixel of the box in one colour.
    virtual void FillBox(CanvasBox box, uint32_t colour) = 0;
    // The ellipse inscribed in the box, filled with fill and outlined one
    // pixel wide in black, both under the mix.
    virtual void Ellipse(CanvasBox box, uint32_t fill, CanvasMix mix) = 0;

    // A font of the face, cell height (units), weight and slant, drawn
    // without smoothing, so that a glyph drawn again in black removes every
    // pixel it set; null when it cannot be made.
    virtual std::unique_ptr<CanvasFont> MakeFont(const TextChar* face, int32_t height, bool bold, bool italic) = 0;
    // The cell of one character in the font (the canvas's own font when
    // null); false, with 0 x 0, when it cannot be measured.
    virtual bool MeasureChar(const CanvasFont* font, TextChar ch, int32_t& width, int32_t& height) = 0;
    // One character with its cell's top-left corner at (x, y), in colour,
    // over what is there. A null font draws in the font the last character
    // was drawn in (the canvas's own font at first).
    virtual void DrawChar(const CanvasFont* font, int32_t x, int32_t y, TextChar ch, uint32_t colour) = 0;
};
