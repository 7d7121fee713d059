#include "settings_rules.h"

#include <algorithm>
#include <limits>

namespace app {

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f';
}

}  // namespace

int32_t NumberOfText(std::wstring_view text) {
    size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
        negative = text[at] == L'-';
        ++at;
    }
    // Accumulated as a magnitude one past INT32_MAX, so INT32_MIN is reachable exactly.
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        magnitude = std::min(magnitude * 10 + (text[at] - L'0'), kLimit);
    }
    if (negative) {
        return static_cast<int32_t>(-magnitude);
    }
    return static_cast<int32_t>(std::min(magnitude, kLimit - 1));
}

std::wstring FontSizeText(int32_t stored) {
    return std::to_wstring(static_cast<uint32_t>(stored) & 0xFFu);
}

int32_t FontSizeWithLowByte(int32_t stored, int32_t typed) {
    const uint32_t high = static_cast<uint32_t>(stored) & ~0xFFu;
    return static_cast<int32_t>(high | (static_cast<uint32_t>(typed) & 0xFFu));
}

std::wstring Substituted(std::wstring_view pattern, std::wstring_view value) {
    std::wstring text(pattern);
    const size_t at = text.find(L"%s");
    if (at != std::wstring::npos) {
        text.replace(at, 2, value);
    }
    return text;
}

}  // namespace app
