#include "png_chunks.h"

#include <libdeflate.h>

#include <cstring>
#include <string>

#include "byte_reader.h"

namespace imaging {
namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr char kTruncated[] = "truncated PNG data";

// The CRC covers the chunk's type and data.
void CheckCrc(Bytes file, size_t chunk, uint32_t length, uint32_t stored) {
    const uint32_t crc = libdeflate_crc32(0, file.data() + chunk + 4, size_t{length} + 4);
    if (crc != stored) {
        const char* type = reinterpret_cast<const char*>(file.data() + chunk + 4);
        Fail("damaged PNG: bad CRC in chunk " + std::string(type, 4));
    }
}

}  // namespace

void CheckPngStructure(Bytes file, PngCheck check) {
    if (file.size() < sizeof kSignature || std::memcmp(file.data(), kSignature, 8) != 0) {
        Fail("not a PNG file");
    }
    ByteReader in(file, kTruncated);
    for (size_t at = sizeof kSignature;;) {
        const uint32_t length = in.Be32(at);
        if (file.size() - at < 8) {
            Fail(kTruncated);
        }
        // A header read stops at the first IDAT chunk, so its data need not be there: the start
        // of a file is enough.
        const uint8_t* type = file.data() + at + 4;
        if (check == PngCheck::kHeader && std::memcmp(type, "IDAT", 4) == 0) {
            return;
        }
        if (length > 0x7FFFFFFFu || file.size() - at < size_t{length} + 12) {
            Fail(kTruncated);
        }
        if (check == PngCheck::kWholeAndCrc) {
            CheckCrc(file, at, length, in.Be32(at + 8 + length));
        }
        if (std::memcmp(type, "IEND", 4) == 0) {
            return;
        }
        at += size_t{length} + 12;
    }
}

bool CheckPngChunks(const uint8_t* data, size_t size, std::string* error) {
    try {
        CheckPngStructure(Bytes(data, data ? size : 0), PngCheck::kWholeAndCrc);
        return true;
    } catch (const ImageError& failure) {
        if (error) {
            *error = failure.what();
        }
    }
    return false;
}

}  // namespace imaging
