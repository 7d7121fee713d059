#include "update_check.h"

#include <ctime>

#include "network.h"
#include "platform/natural_order.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "server_address.h"
#include "update_prompt.h"
#include "wide_text.h"

namespace basalt {
namespace {

constexpr std::wstring_view kDateValue = L"UpdateCheckDate";
constexpr std::wstring_view kUpdateQuestionId = L"100025";

}  // namespace

std::wstring TodayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    wchar_t text[32] = {};
    std::wcsftime(text, std::size(text), L"%Y-%m-%d", &local);
    return text;
}

bool IsUpdateCheckDue(const SettingsLocation& settings) {
    auto stamp = platform::RegReadString(platform::HKEY_CURRENT_USER, settings.subkey, kDateValue);
    if (!stamp)
        return true;
    return !platform::EqualsIgnoreCase(stamp->substr(0, stamp->find(L'\0')), TodayText());
}

bool StampUpdateCheck(const SettingsLocation& settings) {
    return platform::RegWriteString(platform::HKEY_CURRENT_USER, settings.subkey, kDateValue,
                                    TodayText());
}

bool CheckForUpdate(const SettingsLocation& settings, IniDictionary& dictionary,
                    Languages& languages, const UpdateCheckRequest& request) {
    if (!NetworkSwitchedOff(dictionary)) {
        DownloadIniEntries(dictionary, RecordServerUrl(L"/ini.php"));
    }
    if (request.onceADay && !IsUpdateCheckDue(settings))
        return false;
    StampUpdateCheck(settings);

    const std::wstring running = dictionary.Value(L"FileVersion");
    const std::wstring offered = dictionary.Value(L"NewVersion");
    const std::wstring url = dictionary.Value(L"UpdateURL");
    if (offered.empty() || platform::CompareNatural(offered, running) <= 0)
        return false;
    if (request.ask) {
        const wchar_t* text = languages.Text(kUpdateQuestionId, nullptr, nullptr, nullptr);
        const std::wstring question = text ? text : L"";
        OfferUpdate(request.caption, question, url);
    }
    return true;
}

}  // namespace basalt
