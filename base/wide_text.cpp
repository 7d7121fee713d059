#include "wide_text.h"

#include <algorithm>
#include <cstdint>

namespace basalt {
namespace {

wchar_t AsciiLowerChar(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c;
}

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

}  // namespace

std::wstring AsciiLower(std::wstring_view text) {
    std::wstring lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLowerChar);
    return lower;
}

bool EqualsAsciiNoCase(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return AsciiLowerChar(x) == AsciiLowerChar(y); });
}

std::wstring_view TextArgument(const wchar_t* text) {
    if (reinterpret_cast<uintptr_t>(text) < 65536)
        return {};
    return text;
}

std::wstring_view TrimBlanks(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace basalt
