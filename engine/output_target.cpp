#include "engine/output_target.h"

#include "path_names.h"
#include "platform/file_io.h"

namespace engine {
namespace {

constexpr int kMostCandidates = 1000;

// The last component of the folder holding the image; "velkor" for an image in the root (or
// given without a folder).
std::wstring SourceFolderName(std::wstring_view firstImage) {
    const bool inFolder = firstImage.find(L'/') != std::wstring_view::npos;
    const std::wstring name(inFolder ? FileNamePart(FolderPart(firstImage)) : L"");
    return name.empty() ? L"velkor" : name;
}

// The first free folder "base/name", "base/name(1)", ..., claimed by creating it (the base is
// created first); base when all are taken or none can be made.
std::wstring FreeOutputFolder(const std::wstring& stem, const std::wstring& base) {
    platform::CreateFolders(base);
    for (int i = 0; i < kMostCandidates; ++i) {
        const std::wstring suffix = i == 0 ? L"" : L"(" + std::to_wstring(i) + L")";
        const std::wstring candidate = stem + suffix;
        if (platform::ClaimFolder(candidate)) {
            return candidate;
        }
    }
    return base;
}

}  // namespace

std::wstring DefaultOutputFile(const std::wstring& base, const std::wstring& firstImage) {
    if (base.empty()) {
        return {};
    }
    platform::CreateFolders(base);
    return base + L"/" + SourceFolderName(firstImage) + L".pdf";
}

std::wstring DefaultOutputTarget(const std::wstring& base, const std::wstring& firstImage,
                                 DocumentMode mode, bool saveToImageDir) {
    if (base.empty()) {
        return {};
    }
    if (mode != DocumentMode::kSingle) {
        return saveToImageDir ? base
                              : FreeOutputFolder(base + L"/" + SourceFolderName(firstImage), base);
    }
    const std::wstring first = DefaultOutputFile(base, firstImage);
    for (unsigned i = 0; i < kMostCandidates; ++i) {
        const std::wstring candidate = platform::NumberedName(first, i);
        if (platform::KindOf(candidate) == platform::PathKind::kMissing) {
            return candidate;
        }
    }
    return base;
}

}  // namespace engine
