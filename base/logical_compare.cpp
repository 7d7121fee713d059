#include "logical_compare.h"

#include "platform/text.h"

namespace basalt {
namespace {

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Takes the digit run at the front of text and returns it without leading zeros.
std::wstring_view TakeNumber(std::wstring_view& text) {
    size_t end = 0;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    std::wstring_view number = text.substr(0, end);
    text.remove_prefix(end);
    while (number.size() > 1 && number.front() == L'0')
        number.remove_prefix(1);
    return number;
}

int Sign(long long value) {
    return (value > 0) - (value < 0);
}

// Two digit runs without leading zeros: the longer is larger, else the first differing digit.
int CompareNumbers(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return Sign(a.compare(b));
}

}  // namespace

int CompareLogical(std::wstring_view a, std::wstring_view b) {
    while (!a.empty() && !b.empty()) {
        if (IsDigit(a.front()) && IsDigit(b.front())) {
            if (const int order = CompareNumbers(TakeNumber(a), TakeNumber(b)))
                return order;
            continue;
        }
        const wchar_t x = platform::FoldCase(a.front());
        const wchar_t y = platform::FoldCase(b.front());
        if (x != y)
            return x < y ? -1 : 1;
        a.remove_prefix(1);
        b.remove_prefix(1);
    }
    return Sign(static_cast<long long>(a.size()) - static_cast<long long>(b.size()));
}

}  // namespace basalt
