#include "orientation.h"

#include <cstring>

#include "bitmap_layout.h"

namespace imaging {
namespace {

struct Point {
    uint32_t x;
    uint32_t y;
};

// The stored pixel shown at (x, y) of the shown picture; width and height are the stored size.
Point StoredPixel(uint8_t orientation, uint32_t x, uint32_t y, uint32_t width, uint32_t height) {
    switch (orientation) {
        case 2:
            return {width - 1 - x, y};
        case 3:
            return {width - 1 - x, height - 1 - y};
        case 4:
            return {x, height - 1 - y};
        case 5:
            return {y, x};
        case 6:
            return {y, height - 1 - x};
        case 7:
            return {width - 1 - y, height - 1 - x};
        case 8:
            return {width - 1 - y, x};
        default:
            return {x, y};
    }
}

void PutPackedSample(uint8_t* row, uint32_t x, unsigned bits, uint8_t value) {
    const unsigned shift = 8 - bits - (x * bits) % 8;
    const auto mask = static_cast<uint8_t>(((1u << bits) - 1) << shift);
    uint8_t& byte = row[x * bits / 8];
    byte = static_cast<uint8_t>((byte & ~mask) | ((value << shift) & mask));
}

// Moves every pixel of a plane of rows (stride bytes each) holding pixelBits bits per pixel.
void MovePixels(const uint8_t* from, size_t fromStride, uint8_t* to, size_t toStride,
                unsigned pixelBits, uint8_t orientation, const Bitmap& stored, uint32_t shownWidth,
                uint32_t shownHeight) {
    const size_t pixelBytes = pixelBits / 8;
    for (uint32_t y = 0; y < shownHeight; ++y) {
        uint8_t* row = to + y * toStride;
        for (uint32_t x = 0; x < shownWidth; ++x) {
            const Point source = StoredPixel(orientation, x, y, stored.width, stored.height);
            const uint8_t* sourceRow = from + source.y * fromStride;
            if (pixelBits < 8) {
                PutPackedSample(row, x, pixelBits, PackedSample(sourceRow, source.x, pixelBits));
            } else {
                std::memcpy(row + x * pixelBytes, sourceRow + source.x * pixelBytes, pixelBytes);
            }
        }
    }
}

}  // namespace

uint8_t ValidOrientation(uint32_t value) {
    return value >= 1 && value <= 8 ? static_cast<uint8_t>(value) : 1;
}

bool OrientationSwapsSides(uint8_t orientation) {
    return orientation >= 5 && orientation <= 8;
}

Bitmap OrientBitmap(const Bitmap& stored, uint8_t orientation) {
    if (ValidOrientation(orientation) == 1) {
        return stored;
    }
    const bool swap = OrientationSwapsSides(orientation);
    const uint32_t width = swap ? stored.height : stored.width;
    const uint32_t height = swap ? stored.width : stored.height;
    Bitmap shown = MakeBitmap(width, height, stored.space, stored.bitsPerComponent);
    shown.palette = stored.palette;
    const unsigned pixelBits = ComponentCount(stored.space) * stored.bitsPerComponent;
    MovePixels(stored.samples.data(), stored.stride, shown.samples.data(), shown.stride, pixelBits,
               orientation, stored, width, height);
    if (!stored.alpha.empty()) {
        const unsigned alphaBytes = AlphaBytes(stored);
        shown.alpha.resize(stored.alpha.size());
        MovePixels(stored.alpha.data(), size_t{stored.width} * alphaBytes, shown.alpha.data(),
                   size_t{width} * alphaBytes, alphaBytes * 8, orientation, stored, width, height);
    }
    return shown;
}

}  // namespace imaging
