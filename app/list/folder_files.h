#pragma once

// The files of a folder as the image list adds them: entries in the order the file system lists
// them, subfolders entered depth first where they are met. Linked folders are never entered and
// a folder that is its own ancestor (a bind mount) is not entered again, so the walk ends.

#include <functional>
#include <string>
#include <vector>

struct FolderFiles {
    std::vector<std::wstring> files;  // full paths that passed the filter, in walk order
    int ownLevelCount = 0;            // how many of them lie directly in the folder
};

// Walks folder (entering subfolders when recurse) and keeps the non-folder entries accept
// passes. A folder that cannot be read adds nothing. Any thread.
FolderFiles ListFolderFiles(const std::wstring& folder, bool recurse,
                            const std::function<bool(const std::wstring&)>& accept);
