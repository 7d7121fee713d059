#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QThread>
#include <QUrl>

#include "platform/text.h"
#include "update_prompt.h"
#include "web_url.h"

namespace basalt {
namespace {

QString ToQString(std::wstring_view text) {
    return QString::fromStdString(platform::ToUtf8(text));
}

void AskAndOpen(std::wstring_view caption, std::wstring_view question, std::wstring_view url) {
    // No is the default, so that Enter never opens a page the server named.
    const auto answer =
        QMessageBox::question(QApplication::activeWindow(), ToQString(caption), ToQString(question),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes && IsWebUrl(url)) {
        QDesktopServices::openUrl(QUrl(ToQString(url)));
    }
}

}  // namespace

void OfferUpdate(std::wstring_view caption, std::wstring_view question, std::wstring_view url) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    if (QThread::currentThread() == app->thread()) {
        AskAndOpen(caption, question, url);
    } else {
        QMetaObject::invokeMethod(
            app, [&] { AskAndOpen(caption, question, url); }, Qt::BlockingQueuedConnection);
    }
}

}  // namespace basalt
