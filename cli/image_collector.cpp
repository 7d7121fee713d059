#include "image_collector.h"

#include <algorithm>
#include <filesystem>

#include "engine/conversion_job.h"
#include "platform/file_io.h"
#include "platform/natural_order.h"
#include "platform/text.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

void SortNaturally(std::vector<std::wstring>& paths) {
    std::stable_sort(paths.begin(), paths.end(), [](const std::wstring& a, const std::wstring& b) {
        return platform::CompareNatural(a, b) < 0;
    });
}

void CollectFolder(const fs::path& folder, bool recursive, std::vector<std::wstring>& images) {
    std::vector<std::wstring> files, subfolders;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code statusError;
        const std::wstring path = platform::FromUtf8(it->path().string());
        if (it->is_directory(statusError)) {
            // Linked folders are not followed, so a link to a parent cannot loop forever.
            if (recursive && !it->is_symlink(statusError))
                subfolders.push_back(path);
        } else if (engine::ConversionJob::IsAcceptedImage(path)) {
            files.push_back(path);
        }
    }
    SortNaturally(files);
    SortNaturally(subfolders);
    images.insert(images.end(), files.begin(), files.end());
    for (const std::wstring& subfolder : subfolders) {
        CollectFolder(platform::ToUtf8(subfolder), recursive, images);
    }
}

}  // namespace

CollectedImages CollectImages(const std::vector<std::wstring>& paths, bool recursive) {
    CollectedImages result;
    for (const std::wstring& path : paths) {
        switch (platform::KindOf(path)) {
            case platform::PathKind::kMissing:
                result.missing.push_back(path);
                break;
            case platform::PathKind::kFolder:
                CollectFolder(platform::ToUtf8(path), recursive, result.images);
                break;
            case platform::PathKind::kOther:
                result.images.push_back(path);
                break;
        }
    }
    return result;
}

}  // namespace cli
