#include "server_address.h"

#include <cstdlib>

#include "platform/text.h"

#ifndef FOLIOFORGE_SERVER_DEFAULT
#error "the build must define FOLIOFORGE_SERVER_DEFAULT"
#endif
#ifndef FOLIOFORGE_SUPPORT_DEFAULT
#error "the build must define FOLIOFORGE_SUPPORT_DEFAULT"
#endif

namespace app {

namespace {

std::wstring Configured(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    return platform::FromUtf8(value && *value ? value : fallback);
}

}  // namespace

std::wstring RecordServerHome() {
    std::wstring server = Configured("FOLIOFORGE_SERVER", FOLIOFORGE_SERVER_DEFAULT);
    if (server.find(L"://") == std::wstring::npos) {
        server = L"http://" + server;
    }
    while (!server.empty() && server.back() == L'/') {
        server.pop_back();
    }
    return server + L"/";
}

std::wstring SupportAddress() {
    return Configured("FOLIOFORGE_SUPPORT", FOLIOFORGE_SUPPORT_DEFAULT);
}

}  // namespace app
