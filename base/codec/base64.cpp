#include "base64.h"

#include <algorithm>
#include <cstdint>

namespace basalt {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The 6-bit value of an alphabet character, or -1.
int DigitValue(unsigned char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

}  // namespace

std::string Base64Encode(std::string_view bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t left = std::min<size_t>(3, bytes.size() - i);
        uint32_t group = 0;
        for (size_t k = 0; k < 3; ++k) {
            group = (group << 8) | (k < left ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        }
        for (size_t k = 0; k < 4; ++k) {
            text.push_back(k <= left ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=');
        }
    }
    return text;
}

std::string Base64Decode(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    uint32_t group = 0;
    int counted = 0;
    int bytesPerGroup = 3;
    for (const char c : text) {
        int digit = DigitValue(static_cast<unsigned char>(c));
        if (c == '=') {
            digit = 0;
            bytesPerGroup = std::max(bytesPerGroup - 1, 1);
        } else if (digit < 0) {
            continue;
        }
        group = (group << 6) | static_cast<uint32_t>(digit);
        if (++counted < 4)
            continue;
        bytes.push_back(static_cast<char>(group >> 16));
        if (bytesPerGroup >= 2)
            bytes.push_back(static_cast<char>((group >> 8) & 0xFF));
        if (bytesPerGroup >= 3)
            bytes.push_back(static_cast<char>(group & 0xFF));
        group = 0;
        counted = 0;
    }
    return bytes;
}

}  // namespace basalt
