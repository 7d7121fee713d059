#include "web_area_hooks.h"

#include <QUrl>

#include "basalt/basalt.h"
#include "platform/text.h"
#include "qt_text.h"
#include "server_address.h"

namespace app {

namespace {

bool InternetAllowed() {
    const wchar_t* internet = GetIniString(L"Internet");
    return !internet || !*internet || platform::EqualsIgnoreCase(internet, L"true");
}

std::wstring StartPageUrl() {
    const wchar_t* version = GetIniString(L"FileVersion");
    const QByteArray encoded = QUrl::toPercentEncoding(ToQString(version ? version : L""));
    return RecordServerHome() + L"AD/folioforge.html?ver=" +
           platform::FromUtf8(encoded.toStdString());
}

}  // namespace

HWND OpenStartPage() {
    if (!InternetAllowed()) {
        return nullptr;
    }
    return OpenWebWnd(StartPageUrl().c_str(), nullptr, WEBWND_STANDALONE, WM_WEB_WINDOW_NOTICE);
}

}  // namespace app
