#pragma once

// Checks the imaging tests share: decoding that must succeed, and bitmap comparison.

#include <vector>

#include "imaging/image.h"
#include "sample_files.h"

namespace samples {

// Decodes file, failing the test (with the reason) when it does not decode.
imaging::Image DecodeOrFail(const std::vector<uint8_t>& file);

// Inspects file, failing the test when it cannot.
imaging::ImageInfo InspectOrFail(const File& file);

// Layout, samples, palette and alpha plane all equal.
void ExpectSameBitmap(const imaging::Bitmap& expected, const imaging::Bitmap& actual);

}  // namespace samples
