#pragma once

// The installed languages: the folder of language files beside the library, the catalogue of
// their descriptions, the current language named in the settings, and the two tables the
// library answers from (the current language, and English for every text it lacks).
//
// Thread-safe: one lock serialises the operations, since the update check asks for its question
// from a worker thread. A returned text pointer stays valid as the ring of its table allows.

#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "language_table.h"
#include "settings_location.h"

namespace basalt {

inline constexpr std::wstring_view kEnglishFileName = L"english.lng";

// The folder "languages" beside the file of the library (or of the executable it is built
// into), or the installed one in ../../share/folioforge when there is none beside it
// (platform::FindDataFile).
std::filesystem::path LanguageFolder();

// Description -> file name of every entry of the folder that is not a folder; a later file with
// the same description replaces an earlier one. Descriptions are cut to 259 characters; a file
// without one (or that cannot be read as a language file) has the empty description.
std::map<std::wstring, std::wstring> ScanCatalogue(const std::filesystem::path& folder);

// The file name of the current language from the settings value "Language"; when the value is
// missing (or not text) it is "english.lng", which is then written back.
std::wstring CurrentLanguageFile(const SettingsLocation& settings);

class Languages {
public:
    // Loads the current language, then English.
    void LoadBoth(const SettingsLocation& settings);

    // The text from the current language, else from English; null when neither has it.
    const wchar_t* Text(std::wstring_view id, const wchar_t* s1, const wchar_t* s2,
                        const wchar_t* s3);

    // The descriptions of all installed languages in ascending order, with the current language
    // swapped into the first place. Empty when the folder holds no file.
    std::vector<std::wstring> List(const SettingsLocation& settings) const;

    // Switches to the language with exactly this description; false when there is none or the
    // setting cannot be written.
    bool Change(const SettingsLocation& settings, std::wstring_view description);

    void ReloadCurrent(const SettingsLocation& settings);

    // Valid until the current language is next loaded.
    const wchar_t* CurrentDescription() const;

private:
    mutable std::mutex lock_;
    LanguageTable current_;
    LanguageTable english_;
};

}  // namespace basalt
