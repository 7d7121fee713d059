#pragma once

// Spelling of PDF objects (ISO 32000-1, 7.3): numbers, names, strings.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pdf {

// A real number with at most the given decimals and no exponent, independent of the C locale.
// Integral values have no decimal point; -0 is written 0.
std::string Number(double value, int decimals = 4);

// A name object, "/" followed by the bytes, those outside the regular characters escaped as #xx.
std::string Name(std::string_view bytes);

// A text string: a literal string when the text is printable ASCII, else UTF-16BE with a byte
// order mark as a hexadecimal string (7.9.2.2).
std::string TextString(std::wstring_view text);

// Bytes as a hexadecimal string, upper case.
std::string HexString(std::span<const uint8_t> bytes);

// Appends the UTF-16BE code units of one code point (a surrogate pair above U+FFFF; U+FFFD for
// values that are not Unicode scalar values).
void AppendUtf16Be(std::string& out, char32_t codePoint);

// "N 0 R".
std::string Reference(uint32_t objectId);

}  // namespace pdf
