#pragma once

// The library's process-wide state: the settings location, the language tables, the dictionary
// and the usage counters. Created on first use, freed when the library unloads.

#include "ini_dictionary.h"
#include "languages.h"
#include "record_store.h"
#include "settings_location.h"

namespace basalt {

struct BasaltApp {
    SettingsLocation settings;
    Languages languages;
    IniDictionary dictionary;
    RecordStore records;

    // Sets the settings location (root and subkey only when root is not null), stores the
    // application name (the executable's name without extension when null), loads the language
    // tables, the host's version strings and the network switch "Internet" ("false" when the
    // settings number CheckSkip is non-zero, else "true").
    void Initialise(platform::HKEY root, const wchar_t* subkey, const wchar_t* appName);
};

BasaltApp& App();

}  // namespace basalt
