#pragma once

// The parts of a native path ('/' separates its components).

#include <string_view>

namespace platform {

// The text after the last '/', or the whole path when it has none.
std::wstring_view FileNamePart(std::wstring_view path);

// The text before the last '/', or the whole path when it has none.
std::wstring_view FolderPart(std::wstring_view path);

}  // namespace platform
