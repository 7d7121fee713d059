#pragma once

// The selection the file manager hands over: its paths made absolute and what kinds of items
// it holds.

#include <string>
#include <vector>

namespace shellhost {

struct Selection {
    std::vector<std::wstring> paths;  // absolute, in the given order, as wide native paths
    bool hasFiles = false;            // anything that is not a folder, missing paths included
    bool hasFolders = false;
};

// Makes each argument absolute against the working folder (lexically: "." and ".." folded,
// links kept, a trailing '/' dropped) without changing its bytes otherwise.
Selection MakeSelection(const std::vector<std::string>& arguments);

}  // namespace shellhost
