#pragma once

// Small helpers for the wide texts that cross the library's interface.

#include <string>
#include <string_view>

namespace basalt {

// A text argument of the C interface. A null pointer is the empty text, and so is a pointer
// value below 65,536: such values number strings of a string table, and the library carries
// none. Anything else is read as a NUL-terminated text.
std::wstring_view TextArgument(const wchar_t* text);

// The text without spaces and tabs at either end.
std::wstring_view TrimBlanks(std::wstring_view text);

}  // namespace basalt
