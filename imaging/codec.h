#pragma once

// What every format reader and writer shares: the byte view they read from, the decoded result
// they produce, the options they encode with and the one error they raise.
//
// Readers and writers report failure by throwing ImageError with a reason a caller can show.
// No exception ever passes through a format library's C frames: callbacks that a C library
// calls catch everything themselves.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "imaging/image.h"

namespace imaging {

using Bytes = std::span<const uint8_t>;

struct Resolution {
    uint32_t x = 72;
    uint32_t y = 72;
};

struct Decoded {
    Bitmap bitmap;
    Resolution resolution;
    uint8_t orientation = 1;  // as the file records it (1 to 8); the bitmap is as stored
    std::vector<uint8_t> iccProfile = {};  // checked against the bitmap's samples; empty: none
};

struct EncodeOptions {
    Resolution resolution;
    int jpegQuality = 75;
    std::span<const uint8_t> iccProfile;  // written only where it describes what is written
};

// Why a decode, an inspection or an encode failed.
class ImageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const std::string& reason);

}  // namespace imaging
