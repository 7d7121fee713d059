#pragma once

// Conversions between bitmap layouts. Each takes its input by value (move it in to convert in
// place where the layout allows) and keeps the alpha plane, converted to the result's depth.

#include "imaging/image.h"

namespace imaging {

// Grey, RGB or CMYK samples of 8 bits, or of 16 bits when keepSixteen and the source has 16:
// palettes are looked up (as RGB), grey of 1, 2 or 4 bits is stretched to 0..255, 16-bit
// samples are rounded to 8 bits unless kept.
Bitmap ToDirectColor(Bitmap source, bool keepSixteen);

// 8-bit CMYK ink amounts to 8-bit RGB; other layouts are returned unchanged.
Bitmap CmykToRgb(Bitmap source);

// 8-bit grey to 8-bit RGB; other layouts are returned unchanged.
Bitmap GrayToRgb(Bitmap source);

// Composes an 8-bit direct-colour bitmap over white and drops its alpha plane.
Bitmap ComposeOverWhite(Bitmap source);

// Indices of 1, 2 or 4 bits spread to one byte each (grey stays grey, but stretched to 0..255).
Bitmap UnpackToEightBit(Bitmap source);

}  // namespace imaging
