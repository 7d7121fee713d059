#include "com/guid.h"

#include <cstring>
#include <cwchar>

namespace com {
namespace {

// Positions of the hexadecimal digit pairs of Data4 in the registry form.
constexpr size_t kData4Offsets[8] = {20, 22, 25, 27, 29, 31, 33, 35};

std::optional<std::uint32_t> ReadHex(std::wstring_view text, size_t offset, size_t digits) {
    std::uint32_t value = 0;
    for (size_t i = offset; i < offset + digits; ++i) {
        const wchar_t c = text[i];
        int digit = (c >= L'0' && c <= L'9')   ? c - L'0'
                    : (c >= L'a' && c <= L'f') ? c - L'a' + 10
                    : (c >= L'A' && c <= L'F') ? c - L'A' + 10
                                               : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

bool HasSeparators(std::wstring_view text) {
    return text.size() == 38 && text[0] == L'{' && text[9] == L'-' && text[14] == L'-' &&
           text[19] == L'-' && text[24] == L'-' && text[37] == L'}';
}

}  // namespace

bool operator==(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

std::wstring GuidToString(const GUID& guid) {
    wchar_t text[39];
    std::swprintf(text, 39, L"{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.Data1,
                  guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2],
                  guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
}

std::optional<GUID> GuidFromString(std::wstring_view text) {
    if (!HasSeparators(text)) {
        return std::nullopt;
    }
    const auto data1 = ReadHex(text, 1, 8);
    const auto data2 = ReadHex(text, 10, 4);
    const auto data3 = ReadHex(text, 15, 4);
    if (!data1 || !data2 || !data3) {
        return std::nullopt;
    }
    GUID guid{*data1, static_cast<std::uint16_t>(*data2), static_cast<std::uint16_t>(*data3), {}};
    for (size_t i = 0; i < 8; ++i) {
        const auto byte = ReadHex(text, kData4Offsets[i], 2);
        if (!byte) {
            return std::nullopt;
        }
        guid.Data4[i] = static_cast<std::uint8_t>(*byte);
    }
    return guid;
}

}  // namespace com
