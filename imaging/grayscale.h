#pragma once

#include "imaging/image.h"

namespace imaging {

// Luminance with ITU-R BT.601 weights (0.299 R + 0.587 G + 0.114 B). Grey stays as it is,
// palettes and CMYK go through their RGB colours; 16-bit RGB gives 16-bit grey, everything else
// 8-bit grey. The alpha plane is kept.
Bitmap ToGray(const Bitmap& source);

}  // namespace imaging
