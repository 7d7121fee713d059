#pragma once

// How the settings dialog turns what was typed into stored numbers: the number rule of its
// edits and the 8-bit rule of the watermark font size. Pure functions, any thread.

#include <cstdint>
#include <string>
#include <string_view>

namespace app {

// The decimal number text starts with: leading blanks, an optional sign and digits, read up to
// the first other character. Text that does not start with a number gives 0; a number beyond
// the 32-bit range gives the nearest limit.
int32_t NumberOfText(std::wstring_view text);

// The watermark font size as its edit shows it: the lowest byte of the stored value.
std::wstring FontSizeText(int32_t stored);

// stored with its lowest byte replaced by the lowest byte of typed; the other bytes are kept.
int32_t FontSizeWithLowByte(int32_t stored, int32_t typed);

// pattern with its first "%s" replaced by value (pattern unchanged when it has none).
std::wstring Substituted(std::wstring_view pattern, std::wstring_view value);

}  // namespace app
