#pragma once

// The named paper sizes of the whole system: page option lists ("a4.width"), the engine's
// PageSize setting and the command line's --page-size all read this one table.

#include <array>
#include <optional>
#include <string_view>

namespace pdf {

struct PaperSize {
    std::string_view name;  // lower case
    double width;           // points, portrait
    double height;
};

inline constexpr std::array<PaperSize, 12> kPaperSizes{{
    {"a0", 2380, 3368},
    {"a1", 1684, 2380},
    {"a2", 1190, 1684},
    {"a3", 842, 1190},
    {"a4", 595, 842},
    {"a5", 421, 595},
    {"a6", 297, 421},
    {"b5", 501, 709},
    {"letter", 612, 792},
    {"legal", 612, 1008},
    {"ledger", 1224, 792},
    {"11x17", 792, 1224},
}};

// The paper of that name, matched without regard to ASCII case; nullptr for an unknown name.
const PaperSize* FindPaperSize(std::string_view name);

// The value of "name.width" or "name.height" for a paper of the table (names matched without
// regard to case), or of a plain number; nullopt for anything else.
std::optional<double> ResolvePageDimension(std::wstring_view text);

}  // namespace pdf
