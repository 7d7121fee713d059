#pragma once

// Orientation as EXIF and TIFF record it (tag 0x0112): how the stored rows and columns are to be
// turned and mirrored so the picture stands as viewers show it.
//   1 as stored        2 mirrored left-right   3 turned 180°     4 mirrored top-bottom
//   5 transposed       6 turned 90° clockwise  7 transversed     8 turned 90° anticlockwise

#include <cstdint>

#include "imaging/image.h"

namespace imaging {

// The value itself when it lies in 1 to 8, else 1 (a missing or unknown value changes nothing).
uint8_t ValidOrientation(uint32_t value);

// True for 5 to 8, where the shown picture's width is the stored height.
bool OrientationSwapsSides(uint8_t orientation);

// The bitmap as shown: samples and alpha plane moved, any layout and depth. Pure; any thread.
Bitmap OrientBitmap(const Bitmap& stored, uint8_t orientation);

}  // namespace imaging
