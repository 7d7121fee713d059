#pragma once

// Stands in for the desktop's URL opener: while it exists, every address handed to
// QDesktopServices::openUrl with one of its schemes is written down instead of opened.

#include <QObject>
#include <QStringList>
#include <QUrl>
#include <initializer_list>

namespace testsupport {

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    explicit UrlCatcher(std::initializer_list<const char*> schemes);
    ~UrlCatcher() override;

    QStringList opened;

public slots:
    void open(const QUrl& url);

private:
    QStringList schemes_;
};

}  // namespace testsupport
