#pragma once

// Turns the command line's paths into the ordered list of images to convert.

#include <string>
#include <vector>

namespace cli {

// A path that never became part of the job, and why, in words for people.
struct PassedOver {
    std::wstring path;
    std::wstring reason;
};

struct CollectedImages {
    std::vector<std::wstring> images;    // in the order they become pages
    std::vector<PassedOver> passedOver;  // missing paths, dangling links, unreadable folders
};

// A file is taken as given (the engine decides whether it can be read); a folder contributes
// its accepted images in natural order, and with recursive its subfolders' images after its
// own, subfolders also in natural order (linked folders are not followed). Paths are
// converted to and from file-name bytes without loss (platform::PathToNative).
CollectedImages CollectImages(const std::vector<std::wstring>& paths, bool recursive);

}  // namespace cli
