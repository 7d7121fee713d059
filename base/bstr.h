#pragma once

// Length-prefixed wide strings (BSTR) for callers that free them with FreeBstr: the 32-bit byte
// length of the text sits just before the characters, which end with a NUL.

#include <string_view>

#include "basalt/basalt.h"

namespace basalt {

// A new BSTR holding text; null when memory runs out.
BSTR AllocBstr(std::wstring_view text);

// Frees a BSTR from AllocBstr; null is accepted.
void FreeBstr(BSTR text);

}  // namespace basalt
