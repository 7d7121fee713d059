#include "test_images.h"

#include <fstream>
#include <string>

namespace {

void PutLittleEndian(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

}  // namespace

void WriteBmp(const std::filesystem::path& file, uint32_t width, uint32_t height) {
    const uint32_t stride = (width * 3 + 3) & ~3u;
    std::string bytes = "BM";
    PutLittleEndian(bytes, 54 + stride * height, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 54, 4);
    for (uint32_t value : {40u, width, height}) {
        PutLittleEndian(bytes, value, 4);
    }
    PutLittleEndian(bytes, 1, 2);
    PutLittleEndian(bytes, 24, 2);
    for (uint32_t value : {0u, stride * height, 11811u, 11811u, 0u, 0u}) {  // 300 DPI
        PutLittleEndian(bytes, value, 4);
    }
    bytes.append(static_cast<size_t>(stride) * height, '\0');
    std::ofstream(file, std::ios::binary) << bytes;
}
