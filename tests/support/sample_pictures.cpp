#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "sample_files.h"

namespace samples {
namespace {

using imaging::Bitmap;
using imaging::ColorSpace;

unsigned Components(ColorSpace space) {
    return space == ColorSpace::kRgb ? 3 : space == ColorSpace::kCmyk ? 4 : 1;
}

// A smooth value in 0..255 for component c at (x, y).
unsigned Ramp(uint32_t x, uint32_t y, unsigned c, const Bitmap& b) {
    unsigned across = x * 255 / std::max(b.width - 1, 1u);
    unsigned down = y * 255 / std::max(b.height - 1, 1u);
    return (across * (c + 1) + down * (4 - c)) / 5 % 256;
}

void PutSample(Bitmap& b, uint32_t x, uint32_t y, unsigned c, unsigned value) {
    uint8_t* row = b.samples.data() + y * b.stride;
    size_t index = size_t{x} * Components(b.space) + c;
    if (b.bitsPerComponent == 16) {
        row[2 * index] = static_cast<uint8_t>(value >> 8);
        row[2 * index + 1] = static_cast<uint8_t>(value);
    } else if (b.bitsPerComponent == 8) {
        row[index] = static_cast<uint8_t>(value);
    } else {
        size_t bit = index * b.bitsPerComponent;
        row[bit / 8] |= static_cast<uint8_t>(value << (8 - b.bitsPerComponent - bit % 8));
    }
}

}  // namespace

Bitmap Pattern(uint32_t width, uint32_t height, ColorSpace space, uint8_t bits) {
    Bitmap b;
    b.width = width;
    b.height = height;
    b.space = space;
    b.bitsPerComponent = bits;
    b.stride = (size_t{width} * Components(space) * bits + 7) / 8;
    b.samples.assign(b.stride * height, 0);
    unsigned levels = 1u << std::min<unsigned>(bits, 8);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            for (unsigned c = 0; c < Components(space); ++c) {
                unsigned ramp = Ramp(x, y, c, b);
                unsigned value = bits == 16  ? ramp * 257 ^ (x % 7) * 13
                                 : bits == 8 ? ramp
                                             : (x / 3 + y / 2) % levels;
                PutSample(b, x, y, c,
                          space == ColorSpace::kIndexed && bits == 8 ? (x + y) % 256 : value);
            }
        }
    }
    for (unsigned i = 0; space == ColorSpace::kIndexed && i < levels; ++i) {
        b.palette.insert(b.palette.end(),
                         {static_cast<uint8_t>(i * 37), static_cast<uint8_t>(i * 91 + 7),
                          static_cast<uint8_t>(255 - i * 53)});
    }
    return b;
}

void AddAlpha(Bitmap& picture) {
    bool sixteen = picture.bitsPerComponent == 16;
    picture.alpha.clear();
    for (uint32_t y = 0; y < picture.height; ++y) {
        for (uint32_t x = 0; x < picture.width; ++x) {
            unsigned value = x < picture.width / 4 ? 0 : x < picture.width / 2 ? 128 : 255;
            if (sixteen) {
                picture.alpha.push_back(static_cast<uint8_t>(value));
            }
            picture.alpha.push_back(static_cast<uint8_t>(value));
        }
    }
}

int MaxDifference(const Bitmap& a, const Bitmap& b) {
    if (a.width != b.width || a.height != b.height || a.space != b.space ||
        a.bitsPerComponent != b.bitsPerComponent || a.samples.size() != b.samples.size()) {
        return 255;
    }
    int worst = 0;
    for (size_t i = 0; i < a.samples.size(); ++i) {
        worst = std::max(worst, std::abs(a.samples[i] - b.samples[i]));
    }
    return worst;
}

double MeanDifference(const Bitmap& a, const Bitmap& b) {
    if (a.samples.size() != b.samples.size() || a.samples.empty()) {
        return 255;
    }
    double total = 0;
    for (size_t i = 0; i < a.samples.size(); ++i) {
        total += std::abs(a.samples[i] - b.samples[i]);
    }
    return total / a.samples.size();
}

Bitmap ToRgb(const Bitmap& indexed) {
    Bitmap rgb = Pattern(indexed.width, indexed.height, ColorSpace::kRgb);
    for (size_t i = 0; i < indexed.samples.size(); ++i) {
        for (size_t c = 0; c < 3; ++c) {
            size_t entry = 3 * size_t{indexed.samples[i]} + c;
            rgb.samples[3 * i + c] = entry < indexed.palette.size() ? indexed.palette[entry] : 0;
        }
    }
    return rgb;
}

File BytesOf(const std::string& text) {
    return File(text.begin(), text.end());
}

}  // namespace samples
