#include "platform/natural_order.h"

#include "platform/text.h"

namespace platform {
namespace {

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Compares the digit runs starting at a[i] and b[j] by value and advances past them.
int CompareDigitRuns(std::wstring_view a, size_t& i, std::wstring_view b, size_t& j) {
    while (i < a.size() && a[i] == L'0')
        ++i;
    while (j < b.size() && b[j] == L'0')
        ++j;
    const size_t startA = i, startB = j;
    while (i < a.size() && IsDigit(a[i]))
        ++i;
    while (j < b.size() && IsDigit(b[j]))
        ++j;
    const size_t lengthA = i - startA, lengthB = j - startB;
    if (lengthA != lengthB)
        return lengthA < lengthB ? -1 : 1;
    const int order = a.substr(startA, lengthA).compare(b.substr(startB, lengthB));
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

}  // namespace

int CompareNatural(std::wstring_view a, std::wstring_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            if (const int order = CompareDigitRuns(a, i, b, j))
                return order;
            continue;
        }
        const wchar_t x = FoldCase(a[i++]), y = FoldCase(b[j++]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return 0;
}

}  // namespace platform
