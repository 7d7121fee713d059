#include "grayscale.h"

#include "bitmap_layout.h"
#include "pixel_convert.h"
#include "size_limits.h"

namespace imaging {
namespace {

// BT.601 weights in 16-bit fixed point; they add up to 65536.
constexpr uint64_t kRed = 19595, kGreen = 38470, kBlue = 7471;

uint64_t Luma(uint64_t r, uint64_t g, uint64_t b) {
    return (r * kRed + g * kGreen + b * kBlue + 32768) >> 16;
}

Bitmap RgbToGray(const Bitmap& source) {
    Bitmap result =
        MakeBitmap(source.width, source.height, ColorSpace::kGray, source.bitsPerComponent);
    size_t pixels = CheckedMul(source.width, source.height);
    const uint8_t* in = source.samples.data();
    uint8_t* out = result.samples.data();
    if (source.bitsPerComponent == 16) {
        for (size_t i = 0; i < pixels; ++i, in += 6, out += 2) {
            uint64_t y = Luma(in[0] << 8 | in[1], in[2] << 8 | in[3], in[4] << 8 | in[5]);
            out[0] = static_cast<uint8_t>(y >> 8);
            out[1] = static_cast<uint8_t>(y);
        }
    } else {
        for (size_t i = 0; i < pixels; ++i, in += 3) {
            out[i] = static_cast<uint8_t>(Luma(in[0], in[1], in[2]));
        }
    }
    result.alpha = source.alpha;
    return result;
}

Bitmap IndexedToGray(const Bitmap& source) {
    uint8_t table[256] = {};
    for (size_t i = 0; i + 2 < source.palette.size() && i / 3 < 256; i += 3) {
        table[i / 3] = static_cast<uint8_t>(
            Luma(source.palette[i], source.palette[i + 1], source.palette[i + 2]));
    }
    Bitmap result = UnpackToEightBit(source);
    result.space = ColorSpace::kGray;
    result.palette.clear();
    for (uint8_t& sample : result.samples) {
        sample = table[sample];
    }
    return result;
}

}  // namespace

Bitmap ToGray(const Bitmap& source) {
    switch (source.space) {
        case ColorSpace::kGray:
            return source;
        case ColorSpace::kIndexed:
            return IndexedToGray(source);
        case ColorSpace::kCmyk:
            return RgbToGray(CmykToRgb(source));
        case ColorSpace::kRgb:
            return RgbToGray(source);
    }
    return source;
}

}  // namespace imaging
