#include "file_icon.h"

#include <QApplication>
#include <QHash>
#include <QMimeDatabase>
#include <QStyle>

namespace {

QIcon IconOfType(const QMimeType& type) {
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull()) {
        icon = QIcon::fromTheme(type.genericIconName());
    }
    if (icon.isNull()) {
        icon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    }
    return icon;
}

}  // namespace

QIcon FileTypeIcon(const std::wstring& path) {
    static QHash<QString, QIcon> byExtension;
    const QString name = QString::fromStdWString(path.substr(path.rfind(L'/') + 1));
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot).toLower();
    const auto known = byExtension.constFind(extension);
    if (known != byExtension.constEnd()) {
        return *known;
    }
    static const QMimeDatabase types;
    const QIcon icon = IconOfType(types.mimeTypeForFile(name, QMimeDatabase::MatchExtension));
    byExtension.insert(extension, icon);
    return icon;
}
