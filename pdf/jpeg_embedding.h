#pragma once

// JPEG files as DCT-encoded image XObjects (ISO 32000-1, 7.4.8), bytes copied unchanged.

#include <imaging/image.h>

#include <cstdint>

#include "image_source.h"
#include "object_writer.h"

namespace pdf {

// True when the JPEG's data can be embedded as it is: 8-bit samples with 1, 3 or 4
// components, baseline or progressive, and the file ends with its end-of-image marker (a cut
// file is left to the decoder, which reports it).
bool CanPassJpegThrough(const imaging::ImageInfo& info, ImageSource& source);

// Writes the file's bytes as an image XObject and returns its object number. Four-component
// files with an Adobe marker hold inverted CMYK and get the Decode array [1 0 1 0 1 0 1 0].
uint32_t WriteJpegImage(ObjectWriter& writer, ImageSource& source, const imaging::ImageInfo& info);

}  // namespace pdf
