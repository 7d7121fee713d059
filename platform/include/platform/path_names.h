#pragma once

// The parts of a native path ('/' separates its components).

#include <string>
#include <string_view>

namespace platform {

// The text after the last '/', or the whole path when it has none.
std::wstring_view FileNamePart(std::wstring_view path);

// The text before the last '/', or the whole path when it has none.
std::wstring_view FolderPart(std::wstring_view path);

// The n-th candidate of an automatically chosen name: the path itself for n = 0, else the path
// with "(n)" inserted before the extension of its file-name part ("a.jpg.pdf" gives
// "a.jpg(2).pdf"), or appended when that part has no dot.
std::wstring NumberedName(std::wstring_view path, unsigned n);

}  // namespace platform
