#include "basalt_app.h"

#include "host_executable.h"
#include "platform/text.h"
#include "wide_text.h"

namespace basalt {
namespace {

void StoreVersionStrings(IniDictionary& dictionary) {
    for (int index = 0; index < FOLIOFORGE_VS_COUNT; ++index) {
        const std::wstring value = HostVersionString(static_cast<FolioforgeVersionString>(index));
        if (!value.empty())
            dictionary.Set(kVersionStringNames[index], value);
    }
}

}  // namespace

void BasaltApp::Initialise(platform::HKEY root, const wchar_t* subkey, const wchar_t* appName) {
    if (root) {
        settings.root = root;
        settings.subkey = TextArgument(subkey);
    }
    settings.appName = appName ? std::wstring(TextArgument(appName))
                               : platform::FromUtf8(HostExecutablePath().stem().string());
    languages.LoadBoth(settings);
    StoreVersionStrings(dictionary);
    const auto checkSkip = platform::RegReadDWord(settings.root, settings.subkey, L"CheckSkip");
    dictionary.Set(L"Internet", checkSkip.value_or(0) != 0 ? L"false" : L"true");
}

BasaltApp& App() {
    static BasaltApp app;
    return app;
}

}  // namespace basalt
