#include "pdfwriter/paper_sizes.h"

#include <algorithm>
#include <string>

#include "option_list.h"

namespace pdf {

const PaperSize* FindPaperSize(std::string_view name) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    const auto* paper = std::find_if(
        kPaperSizes.begin(), kPaperSizes.end(),
        [&](const PaperSize& p) { return std::ranges::equal(p.name, name, {}, {}, lower); });
    return paper == kPaperSizes.end() ? nullptr : paper;
}

std::optional<double> ResolvePageDimension(std::wstring_view text) {
    if (const std::optional<double> number = ParseNumber(text)) {
        return number;
    }
    const std::optional<std::string> lower = AsciiLower(text);
    const size_t dot = lower ? lower->rfind('.') : std::string::npos;
    if (dot == std::string::npos) {
        return std::nullopt;
    }
    const PaperSize* paper = FindPaperSize(std::string_view(*lower).substr(0, dot));
    const std::string_view dimension = std::string_view(*lower).substr(dot + 1);
    if (!paper || (dimension != "width" && dimension != "height")) {
        return std::nullopt;
    }
    return dimension == "width" ? paper->width : paper->height;
}

}  // namespace pdf
