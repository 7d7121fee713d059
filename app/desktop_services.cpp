#include "desktop_services.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "qt_text.h"

namespace app {

namespace {

constexpr wchar_t kSite[] = L"https://folioforge.invalid";
constexpr int kFileManagerTimeoutMs = 2000;

bool AskFileManagerToShow(const QUrl& item) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return false;
    }
    QDBusInterface fileManager(QStringLiteral("org.freedesktop.FileManager1"),
                               QStringLiteral("/org/freedesktop/FileManager1"),
                               QStringLiteral("org.freedesktop.FileManager1"), bus);
    if (!fileManager.isValid()) {
        return false;
    }
    fileManager.setTimeout(kFileManagerTimeoutMs);
    const QDBusMessage reply =
        fileManager.call(QStringLiteral("ShowItems"), QStringList{item.toString()}, QString());
    return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace

bool OpenWebPage(const std::wstring& url) {
    const QUrl parsed(ToQString(url), QUrl::StrictMode);
    const QString scheme = parsed.scheme().toLower();
    if (!parsed.isValid() || (scheme != "http" && scheme != "https")) {
        return false;
    }
    return QDesktopServices::openUrl(parsed);
}

bool OpenPath(const std::wstring& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path)));
}

void ShowInFolder(const std::wstring& path) {
    const QString local = ToQString(path);
    if (AskFileManagerToShow(QUrl::fromLocalFile(local))) {
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(local).absolutePath()));
}

std::wstring HomePageUrl() {
    return std::wstring(kSite) + L"/";
}

std::wstring HelpPageUrl() {
    return std::wstring(kSite) + L"/help";
}

std::wstring ProductPageUrl() {
    return std::wstring(kSite) + L"/soft/folioforge.html";
}

}  // namespace app
