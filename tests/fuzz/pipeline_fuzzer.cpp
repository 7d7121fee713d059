// libFuzzer target for the whole public path: detection, inspection, decoding, grey, a large
// reduction and encoding.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    imaging::Image::SetMaxPixels(1 << 22);
    imaging::Inspect(data, size);
    imaging::Image image;
    if (!image.Decode(data, size)) {
        return 0;
    }
    std::vector<uint8_t> block;
    image.Encode(block, size % 2 ? imaging::kFormatPng : imaging::kFormatGif);
    image.Resample(image.GetWidth() / 4 + 1, image.GetHeight() / 3 + 1);
    image.GrayScale();
    image.Encode(block, imaging::kFormatJpeg);
    return 0;
}
