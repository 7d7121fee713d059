#include "image_loading.h"

#include <QFile>
#include <filesystem>
#include <system_error>

#include "platform/data_files.h"
#include "platform/text.h"
#include "trellis/drawing.h"

namespace {

std::wstring ReadExecutableFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || executable.empty()) {
        return {};
    }
    return platform::PathFromNative(executable.parent_path().native()) + L"/";
}

}  // namespace

const std::wstring& ExecutableFolder() {
    static const std::wstring folder = ReadExecutableFolder();
    return folder;
}

std::wstring ResolveProgramPath(std::wstring_view path) {
    if (path.starts_with(L'/')) {
        return std::wstring(path);
    }
    const std::filesystem::path file = platform::FindDataFile(
        platform::PathToNative(ExecutableFolder()), platform::PathToNative(path));
    return platform::PathFromNative(file.native());
}

bool LoadImageFile(CImage& image, const wchar_t* path) {
    if (path == nullptr || *path == L'\0') {
        image.Destroy();
        return false;
    }
    if (!image.Load(ResolveProgramPath(path))) {
        return false;
    }
    CImageTransparent(&image);
    return true;
}

bool LoadImageResource(CImage& image, std::string_view module, unsigned id, const wchar_t* type) {
    if (type == nullptr) {
        image.Destroy();
        return false;
    }
    const QString name = QStringLiteral(":/%1/%2/%3")
                             .arg(QString::fromUtf8(module.data(), qsizetype(module.size())),
                                  QString::fromWCharArray(type), QString::number(id));
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        image.Destroy();
        return false;
    }
    return image.LoadFromMemory(file.readAll());
}
