#include "engine/output_target.h"

#include <filesystem>

#include "path_names.h"
#include "platform/text.h"

namespace engine {
namespace {

namespace fs = std::filesystem;

bool Exists(const std::wstring& path) {
    std::error_code error;
    return fs::exists(platform::ToUtf8(path), error);
}

void CreateFolder(const std::wstring& path) {
    std::error_code ignored;
    fs::create_directories(platform::ToUtf8(path), ignored);
}

// The last component of the folder holding the image; "velkor" for an image in the root.
std::wstring SourceFolderName(const std::wstring& firstImage) {
    const size_t slash = firstImage.find_last_of(L'/');
    const std::wstring folder = slash == std::wstring::npos ? L"" : firstImage.substr(0, slash);
    const std::wstring name(FileNamePart(folder));
    return name.empty() ? L"velkor" : name;
}

}  // namespace

std::wstring DefaultOutputTarget(const std::wstring& base, const std::wstring& firstImage,
                                 int mode, bool saveToImageDir) {
    if (mode != 0 && saveToImageDir) return base;
    CreateFolder(base);
    const std::wstring stem = base + L"/" + SourceFolderName(firstImage);
    const std::wstring extension = mode == 0 ? L".pdf" : L"";
    for (int i = 0; i < 1000; ++i) {
        const std::wstring suffix = i == 0 ? L"" : L"(" + std::to_wstring(i) + L")";
        const std::wstring candidate = stem + suffix + extension;
        if (Exists(candidate)) continue;
        if (mode != 0) CreateFolder(candidate);
        return candidate;
    }
    return base;
}

}  // namespace engine
