#include "background_image.h"

#include <QCoreApplication>
#include <filesystem>

#include "gfx/image.h"
#include "platform/data_files.h"
#include "platform/text.h"
#include "qt_text.h"

namespace app {

std::wstring ResolveProgramPath(const std::wstring& path) {
    if (path.empty() || path.front() == L'/') {
        return path;
    }
    const std::filesystem::path folder =
        platform::PathToNative(FromQString(QCoreApplication::applicationDirPath()));
    return platform::PathFromNative(
        platform::FindDataFile(folder, platform::PathToNative(path)).native());
}

bool LoadsAsImage(const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    CImage image;
    return image.Load(ResolveProgramPath(path));
}

}  // namespace app
