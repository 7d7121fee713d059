#pragma once

// Where the library reads and writes its settings: a root of the settings store and a key.

#include <string>

#include "platform/registry.h"

namespace basalt {

struct SettingsLocation {
    platform::HKEY root = platform::HKEY_CURRENT_USER;
    std::wstring subkey = L"Software\\Velkor";
    std::wstring appName;  // only stored
};

}  // namespace basalt
