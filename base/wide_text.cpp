#include "wide_text.h"

#include <cstdint>

namespace basalt {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

}  // namespace

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
