#pragma once

// Names taken from paths, as pages, bookmarks and output files use them.

#include <string>
#include <string_view>

#include "platform/path_names.h"

namespace engine {

using platform::FileNamePart;
using platform::FolderPart;

// The file-name part cut before its last dot, when it has one; a path without '/' is used whole
// (extension included). A text for people: bytes of the name that are not UTF-8 show as U+FFFD
// (platform::DisplayPath).
std::wstring BookmarkTitle(std::wstring_view path);

}  // namespace engine
