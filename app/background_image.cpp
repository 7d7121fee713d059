#include "background_image.h"

#include <QCoreApplication>
#include <QDir>

#include "gfx/image.h"
#include "qt_text.h"

namespace app {

std::wstring ResolveProgramPath(const std::wstring& path) {
    if (path.empty() || path.front() == L'/') {
        return path;
    }
    const QDir programFolder(QCoreApplication::applicationDirPath());
    return FromQString(programFolder.filePath(ToQString(path)));
}

bool LoadsAsImage(const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    CImage image;
    return image.Load(ResolveProgramPath(path));
}

}  // namespace app
