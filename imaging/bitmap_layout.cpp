#include "bitmap_layout.h"

#include <algorithm>

#include "size_limits.h"

namespace imaging {

unsigned ComponentCount(ColorSpace space) {
    switch (space) {
        case ColorSpace::kGray:
        case ColorSpace::kIndexed:
            return 1;
        case ColorSpace::kRgb:
            return 3;
        case ColorSpace::kCmyk:
            return 4;
    }
    return 1;
}

Bitmap MakeBitmap(uint32_t width, uint32_t height, ColorSpace space, uint8_t bitsPerComponent) {
    CheckImageSize(width, height);
    Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.space = space;
    bitmap.bitsPerComponent = bitsPerComponent;
    bitmap.stride = RowBytes(width, ComponentCount(space), bitsPerComponent);
    bitmap.samples.resize(CheckedMul(bitmap.stride, height));
    return bitmap;
}

unsigned AlphaBytes(const Bitmap& bitmap) {
    return bitmap.bitsPerComponent == 16 ? 2 : 1;
}

const uint8_t* AlphaRow(const Bitmap& bitmap, uint32_t y) {
    if (bitmap.alpha.empty()) {
        return nullptr;
    }
    return bitmap.alpha.data() + size_t{y} * bitmap.width * AlphaBytes(bitmap);
}

uint8_t* AlphaRow(Bitmap& bitmap, uint32_t y) {
    return const_cast<uint8_t*>(AlphaRow(static_cast<const Bitmap&>(bitmap), y));
}

void AddOpaqueAlpha(Bitmap& bitmap) {
    size_t pixels = CheckedMul(bitmap.width, bitmap.height);
    bitmap.alpha.assign(CheckedMul(pixels, AlphaBytes(bitmap)), 0xFF);
}

void DropOpaqueAlpha(Bitmap& bitmap) {
    bool opaque = std::all_of(bitmap.alpha.begin(), bitmap.alpha.end(),
                              [](uint8_t value) { return value == 0xFF; });
    if (opaque) {
        bitmap.alpha.clear();
        bitmap.alpha.shrink_to_fit();
    }
}

uint8_t PackedSample(const uint8_t* row, uint32_t x, unsigned bits) {
    if (bits == 8) {
        return row[x];
    }
    size_t bitOffset = static_cast<size_t>(x) * bits;
    unsigned shift = 8 - bits - bitOffset % 8;
    return static_cast<uint8_t>((row[bitOffset / 8] >> shift) & ((1u << bits) - 1));
}

}  // namespace imaging
