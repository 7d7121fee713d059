#include "com/native_path.h"

#include <cstdint>

namespace com {
namespace {

constexpr char32_t kEscapeBase = 0xDC00;
constexpr char32_t kReplacement = 0xFFFD;

// Length of the sequence a lead byte announces, 0 for a byte that cannot lead one.
size_t LengthFromLead(uint8_t lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead < 0xC2 || lead > 0xF4) {
        return 0;
    }
    return lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// Length of the valid UTF-8 sequence at bytes[pos], 0 when it is not one (bad lead byte,
// truncation, overlong form, surrogate, value past U+10FFFF). Stores the code point in c.
size_t ValidSequence(std::string_view bytes, size_t pos, char32_t& c) {
    const auto lead = static_cast<uint8_t>(bytes[pos]);
    const size_t length = LengthFromLead(lead);
    if (length == 0 || pos + length > bytes.size()) {
        return 0;
    }
    c = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<uint8_t>(bytes[pos + i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    return overlong || surrogate || c > 0x10FFFF ? 0 : length;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        c = kReplacement;
    }
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::wstring NativePathToWide(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (size_t pos = 0; pos < bytes.size();) {
        char32_t c = 0;
        if (const size_t length = ValidSequence(bytes, pos, c)) {
            out += static_cast<wchar_t>(c);
            pos += length;
        } else {
            out += static_cast<wchar_t>(kEscapeBase + static_cast<uint8_t>(bytes[pos++]));
        }
    }
    return out;
}

std::string WideToNativePath(std::wstring_view path) {
    std::string out;
    out.reserve(path.size());
    for (wchar_t wide : path) {
        const auto c = static_cast<char32_t>(static_cast<uint32_t>(wide));
        if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
            out += static_cast<char>(c - kEscapeBase);
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

bool IsUtf8Path(std::string_view bytes) {
    for (size_t pos = 0; pos < bytes.size();) {
        char32_t c = 0;
        const size_t length = ValidSequence(bytes, pos, c);
        if (length == 0) {
            return false;
        }
        pos += length;
    }
    return true;
}

}  // namespace com
