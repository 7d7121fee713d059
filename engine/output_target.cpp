#include "engine/output_target.h"

#include "path_names.h"
#include "platform/file_io.h"

namespace engine {
namespace {

// The last component of the folder holding the image; "velkor" for an image in the root (or
// given without a folder).
std::wstring SourceFolderName(std::wstring_view firstImage) {
    const bool inFolder = firstImage.find(L'/') != std::wstring_view::npos;
    const std::wstring name(inFolder ? FileNamePart(FolderPart(firstImage)) : L"");
    return name.empty() ? L"velkor" : name;
}

}  // namespace

std::wstring DefaultOutputTarget(const std::wstring& base, const std::wstring& firstImage,
                                 DocumentMode mode, bool saveToImageDir) {
    const bool single = mode == DocumentMode::kSingle;
    if (!single && saveToImageDir) {
        return base;
    }
    platform::CreateFolders(base);
    const std::wstring stem = base + L"/" + SourceFolderName(firstImage);
    const std::wstring extension = single ? L".pdf" : L"";
    for (int i = 0; i < 1000; ++i) {
        const std::wstring suffix = i == 0 ? L"" : L"(" + std::to_wstring(i) + L")";
        const std::wstring candidate = stem + suffix + extension;
        if (platform::KindOf(candidate) != platform::PathKind::kMissing) {
            continue;
        }
        if (!single) {
            platform::CreateFolders(candidate);
        }
        return candidate;
    }
    return base;
}

}  // namespace engine
