#pragma once

// The Base64 codec of the library: the standard alphabet with "=" padding and no line breaks
// when encoding, and a lenient decoder that skips every byte outside the alphabet.

#include <string>
#include <string_view>

namespace basalt {

std::string Base64Encode(std::string_view bytes);

// Decodes in groups of four counted characters; "=" counts as a zero digit and lowers the
// number of bytes each later group yields (three, then two, then one, never fewer). A trailing
// partial group is dropped. Never fails.
std::string Base64Decode(std::string_view text);

}  // namespace basalt
