#pragma once

// Turns an image file's bytes into an image XObject in the document. Data PDF can carry as it
// is (JPEG, suitable PNG, bi-level CCITT TIFF) is copied unchanged; everything else is decoded
// and written compressed, with an alpha channel as a soft mask.

#include <cstdint>
#include <span>
#include <string_view>

#include "image_source.h"
#include "image_table.h"
#include "object_writer.h"

namespace pdf {

// imageType is "auto" or the one format the bytes must have ("jpeg", "png", "tiff", "gif",
// "bmp"). The data is written as stored; with followOrientation, a JPEG's or TIFF's recorded
// orientation is noted in the result (and its natural size is the size as shown), for placing
// it turned. Throws Failure (kErrorImage) for damaged or unsupported images (MNG, RAW and JBIG
// included), (kErrorParameter) for an unknown imageType.
ImageObject EmbedImage(ObjectWriter& writer, ImageSource& source, std::wstring_view imageType,
                       bool followOrientation);

}  // namespace pdf
