#include "ellipse_rows.h"

#include <algorithm>
#include <cmath>

PixelSpan EllipseRow(CanvasBox box, int64_t y)
{
    const PixelSpan none{0, 0};
    const double a = (static_cast<double>(box.Right) - box.Left) / 2, b = (static_cast<double>(box.Bottom) - box.Top) / 2;
    if (a <= 0 || b <= 0 || y < box.Top || y >= box.Bottom) return none;
    const double cx = (static_cast<double>(box.Left) + box.Right) / 2, cy = (static_cast<double>(box.Top) + box.Bottom) / 2;
    const double dy = (static_cast<double>(y) + 0.5 - cy) / b;
    if (dy * dy > 1) return none;
    const double half = a * std::sqrt(1 - dy * dy);
    // Pixel x is in when its centre x + 0.5 lies within cx +- half.
    const int64_t left = static_cast<int64_t>(std::ceil(cx - half - 0.5));
    const int64_t right = static_cast<int64_t>(std::floor(cx + half - 0.5)) + 1;
    return {std::max<int64_t>(left, box.Left), std::min<int64_t>(right, box.Right)};
}

EllipseRowParts SplitEllipseRow(CanvasBox box, int64_t y)
{
    const PixelSpan row = EllipseRow(box, y), above = EllipseRow(box, y - 1), below = EllipseRow(box, y + 1);
    EllipseRowParts parts{row, {0, 0}, {0, 0}};
    if (row.Left >= row.Right || above.Left >= above.Right || below.Left >= below.Right) return parts;
    const int64_t left = std::max({row.Left + 1, above.Left, below.Left});
    const int64_t right = std::min({row.Right - 1, above.Right, below.Right});
    if (left >= right) return parts;
    parts.OutlineLeft = {row.Left, left};
    parts.Inside = {left, right};
    parts.OutlineRight = {right, row.Right};
    return parts;
}
