#pragma once

#include <string_view>

namespace basalt {

// Natural order: runs of decimal digits compare by their numeric value (of any length), other
// characters one by one without regard to letter case. Negative, zero or positive as a is
// before, equal to or after b. "2.10.0.0" comes after "2.9.0.0"; "img2" before "img10".
int CompareLogical(std::wstring_view a, std::wstring_view b);

}  // namespace basalt
