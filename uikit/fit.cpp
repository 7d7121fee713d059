#include "fit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Half of what remains when scaled is taken from whole, rounded toward zero on both steps.
LONG HalfTrimmed(LONG whole, double scaled) {
    return static_cast<LONG>(std::trunc(static_cast<double>(whole) - scaled)) / 2;
}

}  // namespace

CRect FitCentre(const RECT& area, CSize image) {
    const CRect a(area);
    const LONG left = a.left + (a.Width() - image.cx) / 2;
    const LONG top = a.top + (a.Height() - image.cy) / 2;
    return {left, top, left + image.cx, top + image.cy};
}

CRect FitShrink(const RECT& area, CSize image) {
    const CRect a(area);
    const LONG areaW = a.Width();
    const LONG areaH = a.Height();
    if (areaW <= 0 || areaH <= 0) {
        return {a.left, a.top, a.left, a.top};
    }
    if (image.cx <= areaW && image.cy <= areaH) {
        return FitCentre(area, image);
    }
    // The scaled size is computed from exact ratios so that a side that fills the area comes
    // out as exactly the area's side.
    double scaledW = areaW;
    double scaledH = areaH;
    if (std::int64_t{image.cx} * areaH >= std::int64_t{image.cy} * areaW) {
        scaledH = static_cast<double>(image.cy) * areaW / image.cx;
    } else {
        scaledW = static_cast<double>(image.cx) * areaH / image.cy;
    }
    const LONG x0 = a.left + (areaW - image.cx) / 2;
    const LONG y0 = a.top + (areaH - image.cy) / 2;
    const LONG dx = HalfTrimmed(image.cx, scaledW);
    const LONG dy = HalfTrimmed(image.cy, scaledH);
    return {std::max(a.left, x0 + dx), std::max(a.top, y0 + dy),
            std::min(a.right, x0 + image.cx - dx), std::min(a.bottom, y0 + image.cy - dy)};
}

CSize FitCover(const RECT& area, CSize image) {
    const CRect a(area);
    const LONG areaW = a.Width();
    const LONG areaH = a.Height();
    if (areaW <= 0 || areaH <= 0) {
        return image;
    }
    if (std::int64_t{image.cx} * areaH <= std::int64_t{image.cy} * areaW) {
        const double coveredH = static_cast<double>(areaH) * image.cx / areaW;
        return {image.cx, image.cy - 2 * HalfTrimmed(image.cy, coveredH)};
    }
    const double coveredW = static_cast<double>(areaW) * image.cy / areaH;
    return {image.cx - 2 * HalfTrimmed(image.cx, coveredW), image.cy};
}
