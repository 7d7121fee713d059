#pragma once

// Where an image XObject's unit square goes on the page, for images whose stored pixels are
// turned or mirrored from the way they are shown (EXIF or TIFF orientation 1 to 8).

#include <cstdint>
#include <string>

namespace pdf {

// The "a b c d e f cm" operator that maps the image's unit square onto the box of width x height
// points with its lower left corner at (x, y), turned so that the image stands in the box as
// orientation says it is shown (ISO 32000-1, 8.3.4 and 8.9.5). Any other orientation value
// places the image as stored. Pure.
std::string PlacementMatrix(uint8_t orientation, double x, double y, double width, double height);

}  // namespace pdf
