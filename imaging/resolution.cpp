#include "resolution.h"

#include <cmath>

namespace imaging {
namespace {

constexpr double kInchesPerMetre = 1 / 0.0254;

// Densities outside this range are damage, not intent: they would make pages thinner than a hair
// or wider than a PDF page may be.
constexpr double kLowestDpi = 1;
constexpr double kHighestDpi = 100000;

uint32_t RoundedDpi(double dpi) {
    if (!std::isfinite(dpi) || dpi < kLowestDpi - 0.5 || dpi >= kHighestDpi + 0.5) {
        return kDefaultDpi;
    }
    return static_cast<uint32_t>(std::lround(dpi));
}

}  // namespace

uint32_t DpiFromPixelsPerMetre(uint32_t pixelsPerMetre) {
    return RoundedDpi(pixelsPerMetre / kInchesPerMetre);
}

uint32_t PixelsPerMetreFromDpi(uint32_t dpi) {
    double ppm = std::round(dpi * kInchesPerMetre);
    return ppm >= 4294967295.0 ? 4294967295u : static_cast<uint32_t>(ppm);
}

uint32_t DpiFromDensity(double value, bool perCentimetre) {
    return RoundedDpi(perCentimetre ? value * 2.54 : value);
}

}  // namespace imaging
