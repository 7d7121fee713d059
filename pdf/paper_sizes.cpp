#include "paper_size.h"

#include <array>
#include <string>

#include "option_list.h"

namespace pdf {
namespace {

struct PaperSize {
    std::string_view name;
    double width;
    double height;
};

constexpr std::array<PaperSize, 12> kPaperSizes{{
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

}  // namespace

std::optional<double> ResolvePageDimension(std::wstring_view text) {
    if (const std::optional<double> number = ParseNumber(text))
        return number;
    const std::optional<std::string> lower = AsciiLower(text);
    if (!lower)
        return std::nullopt;
    const size_t dot = lower->rfind('.');
    if (dot == std::string::npos)
        return std::nullopt;
    const std::string_view name = std::string_view(*lower).substr(0, dot);
    const std::string_view dimension = std::string_view(*lower).substr(dot + 1);
    for (const PaperSize& paper : kPaperSizes) {
        if (paper.name != name)
            continue;
        if (dimension == "width")
            return paper.width;
        if (dimension == "height")
            return paper.height;
    }
    return std::nullopt;
}

}  // namespace pdf
