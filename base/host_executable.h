#pragma once

// What the library knows of the executable that loaded it: its path and the version record
// compiled into it (basalt/version_record.h).

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "basalt/version_record.h"

namespace basalt {

// The dictionary names of the version strings, by FolioforgeVersionString.
inline constexpr std::array<std::wstring_view, FOLIOFORGE_VS_COUNT> kVersionStringNames = {
    L"Comments",     L"CompanyName",    L"FileDescription", L"FileVersion",
    L"InternalName", L"LegalCopyright", L"LegalTrademarks", L"OriginalFilename",
    L"ProductName",  L"ProductVersion", L"PrivateBuild",    L"SpecialBuild"};

// The version record of the main executable; null when it has none (or one of another layout).
// Records of other modules are never taken for the executable's.
const FolioforgeVersionRecord* HostVersionRecord();

// The version string with this index as wide text; empty when absent.
std::wstring HostVersionString(FolioforgeVersionString index);

// The numeric file version as "major.minor.patch.build"; empty without a record.
std::wstring HostNumericVersion();

// The path of the running executable; empty when it cannot be found.
std::filesystem::path HostExecutablePath();

}  // namespace basalt
