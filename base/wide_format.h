#pragma once

#include <cstdarg>
#include <string>

namespace basalt {

// printf-style formatting of wide text with the conventions of wide formatters elsewhere:
// "%s" and "%c" take a wide string and a wide character ("%hs", "%S" narrow ones), "%I64d" is a
// 64-bit integer; everything else as printf. When the arguments cannot be formatted (a narrow
// string the C library cannot convert, or more than 16 Mi characters) the result is the format
// itself.
std::wstring FormatWide(const wchar_t* format, va_list args);

}  // namespace basalt
