#include "server_address.h"

#include <cstdlib>

#include "platform/text.h"

#ifndef FOLIOFORGE_SERVER_DEFAULT
#error "the build must define FOLIOFORGE_SERVER_DEFAULT"
#endif

namespace basalt {

std::wstring RecordServer() {
    const char* configured = std::getenv("FOLIOFORGE_SERVER");
    std::wstring server =
        platform::FromUtf8(configured && *configured ? configured : FOLIOFORGE_SERVER_DEFAULT);
    if (server.find(L"://") == std::wstring::npos)
        server.insert(0, L"http://");
    while (server.ends_with(L'/'))
        server.pop_back();
    return server;
}

std::wstring RecordServerUrl(std::wstring_view path) {
    return RecordServer().append(path);
}

}  // namespace basalt
