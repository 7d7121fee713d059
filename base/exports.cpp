// The exported C interface. Each function runs its body through CallTrapped, the library's one
// exception trap, and leaves the work to the parts it names.

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "basalt/basalt.h"
#include "basalt_app.h"
#include "base64.h"
#include "boundary.h"
#include "bstr.h"
#include "network.h"
#include "server_address.h"
#include "update_check.h"
#include "web_module.h"
#include "wide_format.h"
#include "wide_text.h"

using namespace basalt;

namespace {

// A malloc'ed copy of bytes followed by NULs up to capacity; null when memory runs out.
template <typename Byte>
Byte* NewBuffer(std::string_view bytes, size_t capacity) {
    auto* buffer = static_cast<Byte*>(std::calloc(capacity, 1));
    if (buffer && !bytes.empty())
        std::memcpy(buffer, bytes.data(), bytes.size());
    return buffer;
}

void StoreLength(int* out, size_t length) {
    if (out)
        *out = static_cast<int>(length);
}

std::wstring UrlOrDefault(const wchar_t* url, std::wstring_view defaultPath) {
    return url ? std::wstring(url) : RecordServerUrl(defaultPath);
}

BSTR* NewBstrArray(const std::vector<std::wstring>& texts) {
    auto* list = static_cast<BSTR*>(std::calloc(texts.size() + 1, sizeof(BSTR)));
    for (size_t i = 0; list && i < texts.size(); ++i) {
        if (!(list[i] = AllocBstr(texts[i]))) {
            ReleaseLanguageList(list);
            return nullptr;
        }
    }
    return list;
}

}  // namespace

extern "C" {

int InitBasalt(HKEY root, const wchar_t* subkey, const wchar_t* appName) {
    CallTrapped([&] { App().Initialise(root, subkey, appName); });
    return 1;
}

const wchar_t* GetTextByID(const wchar_t* id, const wchar_t* s1, const wchar_t* s2,
                           const wchar_t* s3) {
    return CallTrapped<const wchar_t*>(
        nullptr, [&] { return App().languages.Text(TextArgument(id), s1, s2, s3); });
}

BSTR* GetLanguageList(int* count) {
    StoreLength(count, 0);
    return CallTrapped<BSTR*>(nullptr, [&]() -> BSTR* {
        const auto descriptions = App().languages.List(App().settings);
        BSTR* list = descriptions.empty() ? nullptr : NewBstrArray(descriptions);
        if (list)
            StoreLength(count, descriptions.size());
        return list;
    });
}

void ReleaseLanguageList(BSTR* list) {
    if (!list)
        return;
    for (BSTR* entry = list; *entry; ++entry)
        FreeBstr(*entry);
    std::free(list);
}

const wchar_t* GetCurrentLanguage(void) {
    return CallTrapped<const wchar_t*>(L"", [] { return App().languages.CurrentDescription(); });
}

int ChangeCurrentLanguage(const wchar_t* description) {
    return CallTrapped(0, [&] {
        return App().languages.Change(App().settings, TextArgument(description)) ? 1 : 0;
    });
}

int ReloadLanguage(void) {
    CallTrapped([] { App().languages.ReloadCurrent(App().settings); });
    return 1;
}

const wchar_t* GetIniString(const wchar_t* key) {
    return CallTrapped<const wchar_t*>(nullptr,
                                       [&] { return App().dictionary.Find(TextArgument(key)); });
}

int DownloadIni(const wchar_t* url) {
    CallTrapped([&] {
        if (NetworkSwitchedOff(App().dictionary))
            return;
        DownloadIniEntries(App().dictionary, UrlOrDefault(url, L"/ini.php"));
    });
    return 0;
}

int DownloadIniEx(const wchar_t* url) {
    return CallTrapped(0, [&] { return url && DownloadToFile(url, "update.ini") ? 1 : 0; });
}

int IsSkipURL(void) {
    return CallTrapped(0, [] { return NetworkSwitchedOff(App().dictionary) ? 1 : 0; });
}

int CheckForUpdate(const wchar_t* caption, int onceADay, int ask, HWND /*owner*/) {
    return CallTrapped(0, [&] {
        const UpdateCheckRequest request{TextArgument(caption), onceADay != 0, ask != 0};
        BasaltApp& app = App();
        return basalt::CheckForUpdate(app.settings, app.dictionary, app.languages, request) ? 1 : 0;
    });
}

int IsCheckForUpdateIntoday(void) {
    return CallTrapped(1, [] { return IsUpdateCheckDue(App().settings) ? 1 : 0; });
}

int SetCheckForUpdateIntoday(void) {
    return CallTrapped(0, [] { return StampUpdateCheck(App().settings) ? 1 : 0; });
}

int Record(int id, const wchar_t* info) {
    CallTrapped([&] { App().records.Add(id, TextArgument(info)); });
    return 1;
}

int RecordF(int id, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    CallTrapped([&] { App().records.Add(id, FormatWide(format, args)); });
    va_end(args);
    return 1;
}

int SubmitRecord(const wchar_t* url) {
    return CallTrapped(0, [&] {
        if (NetworkSwitchedOff(App().dictionary))
            return 0;
        return SubmitRecords(App().records, UrlOrDefault(url, L"/record.php")) ? 1 : 0;
    });
}

HWND OpenWebWnd(const wchar_t* url, HWND parent, uint32_t style, unsigned int message) {
    return CallTrapped<HWND>(nullptr, [&]() -> HWND {
        if (url == nullptr || NetworkSwitchedOff(App().dictionary)) {
            return nullptr;
        }
        return OpenWebWindow(url, parent, style, message);
    });
}

char* Base64Encode(const unsigned char* bytes, int count, int* outLength) {
    StoreLength(outLength, 0);
    if (!bytes || count <= 0)
        return nullptr;
    return CallTrapped<char*>(nullptr, [&] {
        const std::string text = basalt::Base64Encode(
            {reinterpret_cast<const char*>(bytes), static_cast<size_t>(count)});
        char* buffer = NewBuffer<char>(text, text.size() + 1);
        if (buffer)
            StoreLength(outLength, text.size());
        return buffer;
    });
}

unsigned char* Base64Decode(const char* text, int count, int* outLength) {
    StoreLength(outLength, 0);
    if (count < 0 || (!text && count > 0))
        return nullptr;
    return CallTrapped<unsigned char*>(nullptr, [&] {
        const std::string bytes = basalt::Base64Decode({text, static_cast<size_t>(count)});
        unsigned char* buffer = NewBuffer<unsigned char>(bytes, count - count / 4 + 1);
        if (buffer)
            StoreLength(outLength, bytes.size());
        return buffer;
    });
}

int Base64ReleaseBuffer(void* buffer) {
    std::free(buffer);
    return 1;
}

}  // extern "C"
