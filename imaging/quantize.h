#pragma once

// Colour reduction for palette formats: median cut over a 15-bit colour histogram, each palette
// entry the mean of the colours in its box, each pixel mapped to its nearest entry. Pictures
// with few enough colours keep them exactly.

#include <cstdint>
#include <vector>

#include "imaging/image.h"

namespace imaging {

struct PaletteImage {
    std::vector<uint8_t> indices;  // one per pixel, rows of width
    std::vector<uint8_t> palette;  // RGB triples
};

// rgb: 8-bit RGB. maxColors: 1 to 256.
PaletteImage QuantizeRgb(const Bitmap& rgb, unsigned maxColors);

}  // namespace imaging
