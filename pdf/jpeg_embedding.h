#pragma once

// JPEG files as DCT-encoded image XObjects (ISO 32000-1, 7.4.8), bytes copied unchanged.

#include <imaging/image.h>

#include <cstdint>
#include <optional>

#include "image_source.h"
#include "object_writer.h"

namespace pdf {

// Writes the JPEG's bytes unchanged as an image XObject when every PDF reader can decode them
// as they are, and returns its object number: 8-bit samples with 1, 3 or 4 components in a
// baseline or progressive Huffman frame whose markers walk to the end of the image. Bytes after
// the end-of-image marker are left out; a missing end marker is supplied when the scan data is
// complete. Four-component files with an Adobe marker hold inverted CMYK
// and get the Decode array [1 0 1 0 1 0 1 0]. nullopt, with nothing written, when the image
// must be decoded instead. Throws Failure (kErrorImage) when the file cannot be read.
std::optional<uint32_t> WriteJpegPassThrough(ObjectWriter& writer, ImageSource& source,
                                             const imaging::ImageInfo& info);

}  // namespace pdf
