// The pixels of an ellipse as GDI's Ellipse lays them out for a box: the
// shape inscribed in [Left, Right) x [Top, Bottom), a one-pixel outline
// around a filled inside. Row by row, so a canvas can fill each pixel
// exactly once: drawn NOT-XOR twice, every pixel comes back.
#pragma once

#include <cstdint>

#include "canvas.h"

// [Left, Right) of one row; empty when Left >= Right.
struct PixelSpan {
    int64_t Left, Right;
};

// The row y of the filled ellipse: the pixels whose centres lie inside it.
PixelSpan EllipseRow(CanvasBox box, int64_t y);

// Row y split into its outline and its inside: the inside is what has all
// four neighbours in the shape; the outline is the rest, at most one span
// on each side (Right empty when the whole row is outline).
struct EllipseRowParts {
    PixelSpan OutlineLeft, Inside, OutlineRight;
};
EllipseRowParts SplitEllipseRow(CanvasBox box, int64_t y);
