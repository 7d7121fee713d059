#include "pixel_convert.h"

#include <algorithm>
#include <array>

#include "bitmap_layout.h"
#include "size_limits.h"

namespace imaging {
namespace {

uint8_t RoundTo8(const uint8_t* bigEndian16) {
    unsigned value = bigEndian16[0] << 8 | bigEndian16[1];
    return static_cast<uint8_t>((value + 128) / 257);
}

Bitmap SixteenToEight(const Bitmap& source) {
    Bitmap result = MakeBitmap(source.width, source.height, source.space, 8);
    for (size_t i = 0; i < result.samples.size(); ++i) {
        result.samples[i] = RoundTo8(&source.samples[2 * i]);
    }
    result.alpha.resize(source.alpha.size() / 2);
    for (size_t i = 0; i < result.alpha.size(); ++i) {
        result.alpha[i] = RoundTo8(&source.alpha[2 * i]);
    }
    return result;
}

// 256 RGB entries: the palette, padded with black for indices it does not cover.
std::array<uint8_t, 768> PaddedPalette(const Bitmap& source) {
    std::array<uint8_t, 768> table{};
    for (size_t i = 0; i < source.palette.size() && i < table.size(); ++i) {
        table[i] = source.palette[i];
    }
    return table;
}

Bitmap IndexedToRgb(const Bitmap& source) {
    Bitmap result = MakeBitmap(source.width, source.height, ColorSpace::kRgb, 8);
    std::array<uint8_t, 768> table = PaddedPalette(source);
    for (uint32_t y = 0; y < source.height; ++y) {
        const uint8_t* in = source.samples.data() + y * source.stride;
        uint8_t* out = result.samples.data() + y * result.stride;
        for (uint32_t x = 0; x < source.width; ++x) {
            const uint8_t* entry = &table[3 * PackedSample(in, x, source.bitsPerComponent)];
            out[3 * x] = entry[0];
            out[3 * x + 1] = entry[1];
            out[3 * x + 2] = entry[2];
        }
    }
    result.alpha = source.alpha;
    return result;
}

}  // namespace

Bitmap UnpackToEightBit(Bitmap source) {
    unsigned bits = source.bitsPerComponent;
    if (bits >= 8) {
        return source;
    }
    Bitmap result = MakeBitmap(source.width, source.height, source.space, 8);
    unsigned scale = source.space == ColorSpace::kGray ? 255 / ((1u << bits) - 1) : 1;
    for (uint32_t y = 0; y < source.height; ++y) {
        const uint8_t* in = source.samples.data() + y * source.stride;
        uint8_t* out = result.samples.data() + y * result.stride;
        for (uint32_t x = 0; x < source.width; ++x) {
            out[x] = static_cast<uint8_t>(PackedSample(in, x, bits) * scale);
        }
    }
    result.palette = std::move(source.palette);
    result.alpha = std::move(source.alpha);
    return result;
}

Bitmap ToDirectColor(Bitmap source, bool keepSixteen) {
    if (source.space == ColorSpace::kIndexed) {
        return IndexedToRgb(source);
    }
    if (source.bitsPerComponent < 8) {
        return UnpackToEightBit(std::move(source));
    }
    if (source.bitsPerComponent == 16 && !keepSixteen) {
        return SixteenToEight(source);
    }
    return source;
}

Bitmap CmykToRgb(Bitmap source) {
    if (source.space != ColorSpace::kCmyk) {
        return source;
    }
    Bitmap result = MakeBitmap(source.width, source.height, ColorSpace::kRgb, 8);
    size_t pixels = CheckedMul(source.width, source.height);
    for (size_t i = 0; i < pixels; ++i) {
        const uint8_t* ink = &source.samples[4 * i];
        unsigned white = 255 - ink[3];
        for (int c = 0; c < 3; ++c) {
            result.samples[3 * i + c] = static_cast<uint8_t>((255 - ink[c]) * white / 255);
        }
    }
    result.alpha = std::move(source.alpha);
    return result;
}

Bitmap GrayToRgb(Bitmap source) {
    if (source.space != ColorSpace::kGray || source.bitsPerComponent != 8) {
        return source;
    }
    Bitmap result = MakeBitmap(source.width, source.height, ColorSpace::kRgb, 8);
    for (size_t i = 0; i < source.samples.size(); ++i) {
        std::fill_n(&result.samples[3 * i], 3, source.samples[i]);
    }
    result.alpha = std::move(source.alpha);
    return result;
}

Bitmap ComposeOverWhite(Bitmap source) {
    if (source.alpha.empty()) {
        return source;
    }
    unsigned components = ComponentCount(source.space);
    bool ink = source.space == ColorSpace::kCmyk;
    size_t pixels = source.alpha.size();
    for (size_t i = 0; i < pixels; ++i) {
        unsigned alpha = source.alpha[i];
        for (unsigned c = 0; c < components; ++c) {
            uint8_t& sample = source.samples[i * components + c];
            unsigned background = ink ? 0 : 255;
            sample =
                static_cast<uint8_t>((sample * alpha + background * (255 - alpha) + 127) / 255);
        }
    }
    source.alpha.clear();
    return source;
}

}  // namespace imaging
