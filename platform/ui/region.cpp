#include "ui/region.h"

#include <algorithm>
#include <cmath>

#include "gfx/color.h"

namespace {

// How many pixels row (counted from the nearer horizontal edge) loses at each end.
int CornerInset(int row, double radiusX, double radiusY) {
    const double dy = (radiusY - row) / radiusY;
    const double halfWidth = radiusX * std::sqrt(std::max(0.0, 1.0 - dy * dy));
    return static_cast<int>(std::ceil(radiusX - halfWidth - 1e-9));
}

}  // namespace

QRegion CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth,
                           int ellipseHeight) {
    const int width = right - left;
    const int height = bottom - top;
    if (width <= 0 || height <= 0) {
        return {};
    }
    // Radii between pixel centres: a corner of ellipse size n spans n pixels.
    const double radiusX = (std::clamp(ellipseWidth, 1, width) - 1) / 2.0;
    const double radiusY = (std::clamp(ellipseHeight, 1, height) - 1) / 2.0;
    const int roundedRows = radiusX > 0 && radiusY > 0 ? static_cast<int>(std::ceil(radiusY)) : 0;
    QRegion region(left, top + roundedRows, width, height - 2 * roundedRows);
    for (int row = 0; row < roundedRows; ++row) {
        const int inset = CornerInset(row, radiusX, radiusY);
        region += QRect(left + inset, top + row, width - 2 * inset, 1);
        region += QRect(left + inset, bottom - 1 - row, width - 2 * inset, 1);
    }
    return region;
}

void FrameRgn(CDC* dc, const QRegion& region, COLORREF colour) {
    if (dc == nullptr || region.isEmpty()) {
        return;
    }
    const QRegion inner = region & region.translated(1, 0) & region.translated(-1, 0) &
                          region.translated(0, 1) & region.translated(0, -1);
    const QColor ink = QColorFromRef(colour);
    for (const QRect& part : region - inner) {
        dc->FillRect(
            {part.left(), part.top(), part.left() + part.width(), part.top() + part.height()}, ink);
    }
}
