#pragma once

// Decoded pixels as a Flate-compressed image XObject, an alpha channel as its soft mask
// (ISO 32000-1, 11.6.5.3). Sixteen-bit samples stay sixteen bits.

#include <imaging/image.h>

#include <cstdint>
#include <span>

#include "object_writer.h"

namespace pdf {

// Writes the bitmap (and its alpha, unless every pixel is opaque) and returns the image's object
// number. iccProfile, when it describes the bitmap's samples, becomes their ICCBased colour
// space; otherwise (empty, malformed or for other samples) the device space is used.
uint32_t WriteBitmapImage(ObjectWriter& writer, const imaging::Bitmap& bitmap,
                          std::span<const uint8_t> iccProfile);

}  // namespace pdf
