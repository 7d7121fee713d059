#include "sample_files.h"

namespace samples {

File MakeDng(const imaging::Bitmap& rgb) {
    File mosaic;
    for (uint32_t y = 0; y < rgb.height; ++y) {
        for (uint32_t x = 0; x < rgb.width; ++x) {
            unsigned channel = (y % 2) + (x % 2);  // R G / G B
            unsigned value = rgb.samples[(size_t{y} * rgb.width + x) * 3 + channel] * 16;
            mosaic.push_back(static_cast<uint8_t>(value));
            mosaic.push_back(static_cast<uint8_t>(value >> 8));
        }
    }
    auto text = [](const std::string& s) { return std::vector<uint32_t>(s.begin(), s.end() + 1); };
    uint32_t bytes = static_cast<uint32_t>(mosaic.size());
    return MakeTiffStructure({{254, 4, {0}},
                              {256, 4, {rgb.width}},
                              {257, 4, {rgb.height}},
                              {258, 3, {16}},
                              {259, 3, {1}},
                              {262, 3, {32803}},
                              {271, 2, text("Folioforge")},
                              {272, 2, text("Test")},
                              {273, 4, {8}},
                              {277, 3, {1}},
                              {278, 4, {rgb.height}},
                              {279, 4, {bytes}},
                              {284, 3, {1}},
                              {33421, 3, {2, 2}},
                              {33422, 1, {0, 1, 1, 2}},
                              {50706, 1, {1, 4, 0, 0}},
                              {50708, 2, text("Folioforge Test")},
                              {50717, 4, {4095}},
                              {50721, 10, {1, 1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 1, 0, 1, 0, 1, 1, 1}},
                              {50728, 5, {1, 1, 1, 1, 1, 1}},
                              {50778, 3, {21}}},
                             mosaic);
}

}  // namespace samples
