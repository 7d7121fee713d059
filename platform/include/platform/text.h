#pragma once

// Text conversion at the system's boundaries. Inside the system text is std::wstring holding
// Unicode code points; files, libraries, the network and Qt see UTF-8. Nothing here depends on
// the C locale.

#include <string>
#include <string_view>

namespace platform {

// Encodes code points as UTF-8. Values that are not Unicode scalar values (surrogates, values
// above U+10FFFF) are written as U+FFFD.
std::string ToUtf8(std::wstring_view text);

// Decodes UTF-8. Each malformed or truncated sequence, overlong form, encoded surrogate or value
// above U+10FFFF becomes one U+FFFD; decoding never fails.
std::wstring FromUtf8(std::string_view bytes);

// File names are bytes that need not be UTF-8. PathFromNative decodes them without loss: valid
// UTF-8 becomes its code points and every other byte b (0x80-0xFF) becomes the reserved code
// point U+DC00 + b, which PathToNative turns back into b; so PathToNative(PathFromNative(x)) == x
// for any bytes x. Use these two, not ToUtf8/FromUtf8, wherever a path enters or leaves.
std::wstring PathFromNative(std::string_view bytes);
std::string PathToNative(std::wstring_view path);

// A path as text to show people: each byte escaped by PathFromNative becomes U+FFFD.
std::wstring DisplayPath(std::wstring_view path);

// The code points of a text, with each high surrogate that is directly followed by a low one
// joined with it into one code point above U+FFFF (text from UTF-16 sources); lone surrogates
// and every other value pass through unchanged.
std::u32string CodePoints(std::wstring_view text);

// Simple case folding of one code point for the Latin, Greek and Cyrillic scripts; other code
// points fold to themselves.
wchar_t FoldCase(wchar_t c);

// True when the two texts are equal after FoldCase of every code point.
bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b);

// The text with every code point folded by FoldCase.
std::wstring ToFolded(std::wstring_view text);

// Replaces every occurrence of from by to, scanning left to right; replaced text is not scanned
// again. An empty from changes nothing.
void ReplaceAll(std::wstring& text, std::wstring_view from, std::wstring_view to);

}  // namespace platform
