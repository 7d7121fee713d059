#pragma once

// Decoded pixels as a Flate-compressed image XObject, an alpha channel as its soft mask
// (ISO 32000-1, 11.6.5.3). Sixteen-bit samples stay sixteen bits.

#include <imaging/image.h>

#include <cstdint>

#include "object_writer.h"

namespace pdf {

// Writes the bitmap (and its alpha, unless every pixel is opaque) and returns the image's object
// number.
uint32_t WriteBitmapImage(ObjectWriter& writer, const imaging::Bitmap& bitmap);

}  // namespace pdf
