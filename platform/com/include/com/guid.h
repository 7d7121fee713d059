#pragma once

// Globally unique identifiers of classes, interfaces and type libraries, in the Windows layout.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace com {

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};

using IID = GUID;
using CLSID = GUID;

bool operator==(const GUID& a, const GUID& b);
inline bool IsEqualGUID(const GUID& a, const GUID& b) {
    return a == b;
}

// The registry form: 38 characters, braces and capital hexadecimal digits,
// "{1C8BA08F-E4D2-4929-B7E3-DF4DAFF7A333}".
std::wstring GuidToString(const GUID& guid);

// Reads the registry form (braces required, digits of either case); nullopt for anything else.
std::optional<GUID> GuidFromString(std::wstring_view text);

}  // namespace com
