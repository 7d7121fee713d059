#pragma once

// Paper names usable in page option lists: "a4.width" stands for 595 and so on.

#include <optional>
#include <string_view>

namespace pdf {

// The value of "name.width" or "name.height" for a0-a6, b5, letter, legal, ledger and 11x17
// (portrait sizes in points, names matched without regard to case), or of a plain number;
// nullopt for anything else.
std::optional<double> ResolvePageDimension(std::wstring_view text);

}  // namespace pdf
