#pragma once

// The ToUnicode CMap of a font with two-byte codes (ISO 32000-1, 9.10.3), so that text
// extraction and search give back the characters shown.

#include <cstdint>
#include <map>
#include <string>

namespace pdf {

// A CMap program mapping each code to its text. Codes with empty text are left out.
std::string ToUnicodeCMap(const std::map<uint16_t, std::u32string>& textOfCode);

}  // namespace pdf
