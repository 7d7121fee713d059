#include "folder_files.h"

#include <filesystem>

#include "platform/text.h"

namespace fs = std::filesystem;

namespace {

struct Walk {
    bool recurse;
    const std::function<bool(const std::wstring&)>& accept;
    FolderFiles result;
    std::vector<fs::path> ancestors;
};

std::wstring ChildPath(const std::wstring& folder, const fs::path& name) {
    std::wstring child = folder;
    if (child.empty() || child.back() != L'/') {
        child += L'/';
    }
    return child + platform::FromUtf8(name.native());
}

bool IsAncestor(const Walk& walk, const fs::path& folder) {
    for (const fs::path& ancestor : walk.ancestors) {
        std::error_code error;
        if (fs::equivalent(ancestor, folder, error)) {
            return true;
        }
    }
    return false;
}

void WalkFolder(Walk& walk, const fs::path& folder, const std::wstring& wideFolder) {
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    walk.ancestors.push_back(folder);
    // Stepping with an error code: a folder that fails half way keeps what it listed so far.
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        const fs::directory_entry& entry = *entries;
        const std::wstring path = ChildPath(wideFolder, entry.path().filename());
        std::error_code kindError;
        if (entry.is_directory(kindError)) {
            const bool linked = entry.is_symlink(kindError);
            if (walk.recurse && !linked && !IsAncestor(walk, entry.path())) {
                WalkFolder(walk, entry.path(), path);
            }
        } else if (walk.accept(path)) {
            walk.result.files.push_back(path);
            walk.result.ownLevelCount += walk.ancestors.size() == 1 ? 1 : 0;
        }
    }
    walk.ancestors.pop_back();
}

}  // namespace

FolderFiles ListFolderFiles(const std::wstring& folder, bool recurse,
                            const std::function<bool(const std::wstring&)>& accept) {
    Walk walk{recurse, accept, {}, {}};
    WalkFolder(walk, fs::path(platform::ToUtf8(folder)), folder);
    return std::move(walk.result);
}
