#include "languages.h"

#include <algorithm>
#include <utility>

#include "ini_file.h"
#include "own_module.h"
#include "platform/data_files.h"
#include "platform/text.h"
#include "wide_text.h"

namespace basalt {
namespace {

namespace fs = std::filesystem;

constexpr std::wstring_view kLanguageValue = L"Language";
constexpr size_t kMaxCatalogueDescription = 259;

// A file of the language folder; names are kept as wide text and stored as UTF-8.
fs::path LanguageFile(std::wstring_view name) {
    return LanguageFolder() / platform::ToUtf8(name);
}

// The Language/Description value of a file, cut at its first NUL and to 259 characters; empty
// when the file has none or cannot be read.
std::wstring DescriptionOf(const fs::path& file) {
    const auto ini = ReadIniFile(file);
    if (!ini)
        return {};
    std::wstring description = IniValue(*ini, kLanguageValue, L"Description").value_or(L"");
    description.resize(
        std::min({description.size(), description.find(L'\0'), kMaxCatalogueDescription}));
    return description;
}

}  // namespace

fs::path LanguageFolder() {
    return platform::FindDataFile(OwnModuleFile().parent_path(), "languages");
}

std::map<std::wstring, std::wstring> ScanCatalogue(const fs::path& folder) {
    std::map<std::wstring, std::wstring> catalogue;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (it->is_directory(ignored))
            continue;
        catalogue.insert_or_assign(DescriptionOf(it->path()),
                                   platform::FromUtf8(it->path().filename().string()));
    }
    return catalogue;
}

std::wstring CurrentLanguageFile(const SettingsLocation& settings) {
    if (auto name = platform::RegReadString(settings.root, settings.subkey, kLanguageValue)) {
        return name->substr(0, name->find(L'\0'));
    }
    platform::RegWriteString(settings.root, settings.subkey, kLanguageValue, kEnglishFileName);
    return std::wstring(kEnglishFileName);
}

void Languages::LoadBoth(const SettingsLocation& settings) {
    const std::lock_guard guard(lock_);
    current_.Load(LanguageFile(CurrentLanguageFile(settings)));
    english_.Load(LanguageFile(kEnglishFileName));
}

const wchar_t* Languages::Text(std::wstring_view id, const wchar_t* s1, const wchar_t* s2,
                               const wchar_t* s3) {
    const std::lock_guard guard(lock_);
    if (const wchar_t* text = current_.Lookup(id, s1, s2, s3))
        return text;
    return english_.Lookup(id, s1, s2, s3);
}

std::vector<std::wstring> Languages::List(const SettingsLocation& settings) const {
    const std::lock_guard guard(lock_);
    const auto catalogue = ScanCatalogue(LanguageFolder());
    if (catalogue.empty())
        return {};
    const std::wstring currentFile = CurrentLanguageFile(settings);
    std::vector<std::wstring> descriptions;
    size_t currentPosition = 0;
    for (const auto& [description, file] : catalogue) {
        if (platform::EqualsIgnoreCase(file, currentFile))
            currentPosition = descriptions.size();
        descriptions.push_back(description);
    }
    std::swap(descriptions[0], descriptions[currentPosition]);
    return descriptions;
}

bool Languages::Change(const SettingsLocation& settings, std::wstring_view description) {
    const std::lock_guard guard(lock_);
    const auto catalogue = ScanCatalogue(LanguageFolder());
    const auto found = catalogue.find(std::wstring(description));
    if (found == catalogue.end())
        return false;
    if (!platform::RegWriteString(settings.root, settings.subkey, kLanguageValue, found->second)) {
        return false;
    }
    current_.Load(LanguageFile(found->second));
    return true;
}

void Languages::ReloadCurrent(const SettingsLocation& settings) {
    const std::lock_guard guard(lock_);
    current_.Load(LanguageFile(CurrentLanguageFile(settings)));
}

const wchar_t* Languages::CurrentDescription() const {
    const std::lock_guard guard(lock_);
    return current_.description().c_str();
}

}  // namespace basalt
