#pragma once

#include <string_view>

namespace platform {

// Orders texts as people sort file names and versions: runs of digits compare by their value,
// of any length ("img2" before "img10", "2.10.0.0" after "2.9.0.0"), other characters one by one
// without regard to case. Returns <0, 0 or >0; texts that differ only in leading zeros or
// letter case compare equal.
int CompareNatural(std::wstring_view a, std::wstring_view b);

}  // namespace platform
