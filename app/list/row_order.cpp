#include "row_order.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "platform/natural_order.h"

int NextSortState(int column, int sortState) {
    return column == std::abs(sortState) ? -sortState : column;
}

std::vector<int> NaturalOrder(const std::vector<std::wstring>& keys, bool descending) {
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int result = platform::CompareNatural(keys[a], keys[b]);
        return descending ? result > 0 : result < 0;
    });
    return order;
}

std::vector<std::wstring> MoveKeys(const std::vector<bool>& moving, int target) {
    std::vector<std::wstring> keys;
    keys.reserve(moving.size());
    int k = 0;
    for (size_t i = 0; i < moving.size(); ++i) {
        if (moving[i]) {
            keys.push_back(std::to_wstring(target) + L":" + std::to_wstring(++k));
        } else {
            keys.push_back(std::to_wstring(i + 1));
        }
    }
    return keys;
}
