#include "network.h"

#include <algorithm>

#include "host_executable.h"
#include "http_client.h"
#include "ini_reply.h"
#include "platform/file_io.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "wide_text.h"

namespace basalt {
namespace {

constexpr std::wstring_view kInstallationKey = L"Software\\Quill\\Folioforge";
constexpr size_t kMaxInstallationIdChars = 63;

std::wstring InstallationId() {
    using namespace platform;
    if (auto id = RegReadString(HKEY_LOCAL_MACHINE, kInstallationKey, L"ID")) {
        id->resize(std::min({id->size(), id->find(L'\0'), kMaxInstallationIdChars}));
        return *id;
    }
    if (const auto number = RegReadDWord(HKEY_LOCAL_MACHINE, kInstallationKey, L"ID")) {
        return std::to_wstring(*number);
    }
    return {};
}

}  // namespace

bool NetworkSwitchedOff(const IniDictionary& dictionary) {
    const std::wstring internet = dictionary.Value(L"Internet");
    return !internet.empty() && !platform::EqualsIgnoreCase(internet, L"true");
}

void DownloadIniEntries(IniDictionary& dictionary, std::wstring_view url) {
    std::string reply;
    if (!PostForm(url, IniRequestBody(dictionary), reply))
        return;
    for (const IniReplyEntry& entry : ParseIniReply(reply))
        dictionary.Set(entry.key, entry.value);
}

bool DownloadToFile(std::wstring_view url, const std::filesystem::path& target) {
    const auto body = Fetch(url);
    return body && platform::WriteFileAtomically(target, *body);
}

SubmissionHeader CurrentSubmissionHeader() {
    return {InstallationId(), platform::FromUtf8(HostExecutablePath().filename().string()),
            HostNumericVersion()};
}

bool SubmitRecords(const RecordStore& records, std::wstring_view url) {
    const std::string body = "tip=&info=" + records.Document(CurrentSubmissionHeader());
    std::string ignored;
    return PostForm(url, body, ignored, kSubmissionLimitMs);
}

}  // namespace basalt
