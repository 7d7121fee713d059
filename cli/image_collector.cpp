#include "image_collector.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

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

std::wstring CannotRead(const std::error_code& error) {
    return L"cannot read the folder: " + platform::FromUtf8(error.message());
}

void CollectFolder(const std::wstring& folder, bool recursive, CollectedImages& result) {
    std::vector<std::wstring> files, subfolders;
    std::error_code error;
    for (fs::directory_iterator it(platform::PathToNative(folder), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code statusError;
        const std::wstring path = platform::PathFromNative(it->path().native());
        if (it->is_directory(statusError)) {
            // Linked folders are not followed, so a link to a parent cannot loop forever.
            if (recursive && !it->is_symlink(statusError)) {
                subfolders.push_back(path);
            }
        } else if (engine::ConversionJob::IsAcceptedImage(path)) {
            files.push_back(path);
        }
    }
    if (error) {
        result.passedOver.push_back({folder, CannotRead(error)});
    }
    SortNaturally(files);
    SortNaturally(subfolders);
    result.images.insert(result.images.end(), files.begin(), files.end());
    for (const std::wstring& subfolder : subfolders) {
        CollectFolder(subfolder, recursive, result);
    }
}

// Why a path that cannot be looked at was given in vain: a link to nothing, no such path, or
// the system's reason (a folder on the way that cannot be searched, a name too long, ...).
std::wstring MissingReason(const std::wstring& path) {
    const fs::path native = platform::PathToNative(path);
    std::error_code ignored;
    if (fs::is_symlink(native, ignored)) {
        return L"a link to nothing";
    }
    const int error = platform::RegularFileError(native);
    return error == ENOENT ? L"no such file or folder" : platform::FromUtf8(std::strerror(error));
}

}  // namespace

CollectedImages CollectImages(const std::vector<std::wstring>& paths, bool recursive) {
    CollectedImages result;
    for (const std::wstring& path : paths) {
        switch (platform::KindOf(path)) {
            case platform::PathKind::kMissing:
                result.passedOver.push_back({path, MissingReason(path)});
                break;
            case platform::PathKind::kFolder:
                CollectFolder(path, recursive, result);
                break;
            case platform::PathKind::kOther:
                result.images.push_back(path);
                break;
        }
    }
    return result;
}

}  // namespace cli
