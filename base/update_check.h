#pragma once

// The daily update check: refresh the dictionary from the server, compare the server's
// NewVersion with the running FileVersion, and offer the newer one to the user.

#include <string>
#include <string_view>

#include "ini_dictionary.h"
#include "languages.h"
#include "settings_location.h"

namespace basalt {

// Today's local date as "YYYY-MM-DD".
std::wstring TodayText();

// True unless the settings value "UpdateCheckDate" (under HKEY_CURRENT_USER and the settings
// key) holds today's date.
bool IsUpdateCheckDue(const SettingsLocation& settings);

// Stores today's date as "UpdateCheckDate"; false when the settings cannot be written.
bool StampUpdateCheck(const SettingsLocation& settings);

struct UpdateCheckRequest {
    std::wstring_view caption;  // title of the question box
    bool onceADay = true;       // stop when today's check is already recorded
    bool ask = true;            // offer the newer version to the user
};

// The whole check; true when the server names a newer version than the running one. The
// download happens on every call (unless network use is switched off), also when the
// once-a-day rule then stops the comparison.
bool CheckForUpdate(const SettingsLocation& settings, IniDictionary& dictionary,
                    Languages& languages, const UpdateCheckRequest& request);

}  // namespace basalt
