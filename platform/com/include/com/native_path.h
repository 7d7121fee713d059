#pragma once

// Lossless conversion between native paths (bytes, usually but not always UTF-8) and the wide
// strings that drop lists and handlers carry. Valid UTF-8 becomes its code points; every byte
// of an invalid sequence becomes one code point U+DC80..U+DCFF, which turns back into that
// byte. So WideToNativePath(NativePathToWide(bytes)) == bytes for any bytes.

#include <string>
#include <string_view>

namespace com {

std::wstring NativePathToWide(std::string_view bytes);

// Code points U+DC80..U+DCFF become single bytes, everything else UTF-8 (values that are not
// Unicode scalar values become U+FFFD).
std::string WideToNativePath(std::wstring_view path);

// True when the path is valid UTF-8, so that text-only stores keep it unchanged.
bool IsUtf8Path(std::string_view bytes);

}  // namespace com
