#include "url_catcher.h"

#include <QDesktopServices>

namespace testsupport {

UrlCatcher::UrlCatcher(std::initializer_list<const char*> schemes) {
    for (const char* scheme : schemes) {
        schemes_.push_back(QString::fromUtf8(scheme));
        QDesktopServices::setUrlHandler(schemes_.back(), this, "open");
    }
}

UrlCatcher::~UrlCatcher() {
    for (const QString& scheme : schemes_) {
        QDesktopServices::unsetUrlHandler(scheme);
    }
}

void UrlCatcher::open(const QUrl& url) {
    opened.push_back(url.toString());
}

}  // namespace testsupport
