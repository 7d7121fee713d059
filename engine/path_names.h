#pragma once

// Names taken from paths, as pages, bookmarks and output files use them.

#include <string>
#include <string_view>

namespace engine {

// The text after the last '/', or the whole path when it has none.
std::wstring_view FileNamePart(std::wstring_view path);

// The text before the last '/', or the whole path when it has none.
std::wstring_view FolderPart(std::wstring_view path);

// The file-name part cut before its last dot, when it has one; a path without '/' is used whole
// (extension included).
std::wstring BookmarkTitle(std::wstring_view path);

}  // namespace engine
