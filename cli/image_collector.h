#pragma once

// Turns the command line's paths into the ordered list of images to convert.

#include <functional>
#include <string>
#include <vector>

namespace cli {

struct CollectedImages {
    std::vector<std::wstring> images;   // in the order they become pages
    std::vector<std::wstring> missing;  // paths that named nothing
};

// A file is taken as given (the engine decides whether it can be read); a folder contributes
// its accepted images in natural order, and with recursive its subfolders' images after its
// own, subfolders also in natural order. Unreadable folders are passed over.
CollectedImages CollectImages(const std::vector<std::wstring>& paths, bool recursive);

}  // namespace cli
