#include "engine/output_target.h"

#include "path_names.h"
#include "platform/file_io.h"

namespace engine {
namespace {

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
    platform::CreateFolders(base);
    const std::wstring stem = base + L"/" + SourceFolderName(firstImage);
    const std::wstring extension = mode == 0 ? L".pdf" : L"";
    for (int i = 0; i < 1000; ++i) {
        const std::wstring suffix = i == 0 ? L"" : L"(" + std::to_wstring(i) + L")";
        const std::wstring candidate = stem + suffix + extension;
        if (platform::KindOf(candidate) != platform::PathKind::kMissing) continue;
        if (mode != 0) platform::CreateFolders(candidate);
        return candidate;
    }
    return base;
}

}  // namespace engine
