#pragma once

#include <string_view>

namespace platform {

// Orders texts as people sort file names: runs of digits compare by their value ("img2" before
// "img10"), letters without regard to case. Returns <0, 0 or >0. Equal-valued digit runs with
// different leading zeros and texts differing only in case fall back to a code-point order, so
// that distinct texts never compare equal.
int CompareNatural(std::wstring_view a, std::wstring_view b);

}  // namespace platform
