#pragma once

// Separable resampling with a filter whose support widens with the reduction factor, so large
// reductions average every source pixel instead of skipping most of them.

#include <cstdint>

#include "imaging/image.h"

namespace imaging {

struct ResampleFilter {
    double (*kernel)(double distance);
    double support;  // half-width of the kernel at scale 1
};

// 0 box, 1 triangle (bilinear), 2 Catmull-Rom cubic (bicubic); fails on other modes.
ResampleFilter FilterForMode(int mode);

// The source at width x height. Palettes and samples under 8 bits become 8-bit direct colour;
// 16-bit samples stay 16-bit; alpha is kept and colour is weighted by it, so transparent
// pixels do not bleed into their neighbours.
Bitmap ResampleBitmap(const Bitmap& source, uint32_t width, uint32_t height,
                      const ResampleFilter& filter);

// The largest of 8, 4 and 2 by which a source may be shrunk before resampling so that it stays
// at least twice the target size on both axes; 1 when none qualifies.
unsigned PrescaleDenominator(uint32_t sourceWidth, uint32_t sourceHeight, uint32_t width,
                             uint32_t height);

}  // namespace imaging
