#pragma once

// A private copy of libbasalt.so, loaded with dlopen: each copy has its own state (settings
// location, languages, dictionary, counters) and its own "languages" folder beside it, so every
// test starts from a freshly loaded library.

#include <filesystem>
#include <string>

#include "basalt/basalt.h"

namespace testsupport {

struct BasaltApi {
    decltype(&::InitBasalt) InitBasalt;
    decltype(&::GetTextByID) GetTextByID;
    decltype(&::GetLanguageList) GetLanguageList;
    decltype(&::ReleaseLanguageList) ReleaseLanguageList;
    decltype(&::GetCurrentLanguage) GetCurrentLanguage;
    decltype(&::ChangeCurrentLanguage) ChangeCurrentLanguage;
    decltype(&::ReloadLanguage) ReloadLanguage;
    decltype(&::GetIniString) GetIniString;
    decltype(&::DownloadIni) DownloadIni;
    decltype(&::DownloadIniEx) DownloadIniEx;
    decltype(&::IsSkipURL) IsSkipURL;
    decltype(&::CheckForUpdate) CheckForUpdate;
    decltype(&::IsCheckForUpdateIntoday) IsCheckForUpdateIntoday;
    decltype(&::SetCheckForUpdateIntoday) SetCheckForUpdateIntoday;
    decltype(&::Record) Record;
    decltype(&::RecordF) RecordF;
    decltype(&::SubmitRecord) SubmitRecord;
    decltype(&::OpenWebWnd) OpenWebWnd;
    decltype(&::Base64Encode) Base64Encode;
    decltype(&::Base64Decode) Base64Decode;
    decltype(&::Base64ReleaseBuffer) Base64ReleaseBuffer;
};

class BasaltLibrary {
public:
    // Copies the built library into folder/lib and loads the copy; throws when that fails.
    explicit BasaltLibrary(const std::filesystem::path& folder);
    ~BasaltLibrary();
    BasaltLibrary(const BasaltLibrary&) = delete;
    BasaltLibrary& operator=(const BasaltLibrary&) = delete;

    const BasaltApi* operator->() const { return &api_; }

    // The copy's language folder (created empty).
    const std::filesystem::path& languages() const { return languages_; }

    // Writes a language file into the copy's language folder.
    void WriteLanguage(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path languages_;
    void* handle_ = nullptr;
    BasaltApi api_{};
};

// A language file in UTF-8: a [Language] section with the description (none when empty) and
// the given text lines in a [Texts] section.
std::string LanguageFileText(const std::string& description, const std::string& lines);

}  // namespace testsupport
