#include "news_ticker.h"

#include <algorithm>
#include <cwchar>
#include <limits>

namespace app {

namespace {

std::vector<std::wstring> NonEmptyFields(const std::wstring& value) {
    std::vector<std::wstring> fields;
    size_t start = 0;
    while (start <= value.size()) {
        const size_t end = std::min(value.find(L'|', start), value.size());
        if (end > start) {
            fields.push_back(value.substr(start, end - start));
        }
        start = end + 1;
    }
    return fields;
}

// Leading decimal digits, as the C library reads them; values beyond UINT_MAX are capped.
unsigned int DecimalPrefix(const std::wstring& field) {
    const unsigned long long read = std::wcstoull(field.c_str(), nullptr, 10);
    return static_cast<unsigned int>(
        std::min<unsigned long long>(read, std::numeric_limits<unsigned int>::max()));
}

}  // namespace

bool NewsTicker::Parse(const std::wstring& value) {
    const std::vector<std::wstring> fields = NonEmptyFields(value);
    if (fields.empty()) {
        return false;
    }
    intervalMs_ = DecimalPrefix(fields.front());
    pairs_.clear();
    for (size_t i = 1; i + 1 < fields.size(); i += 2) {
        pairs_.emplace_back(fields[i], fields[i + 1]);
    }
    position_ = 0;
    return !pairs_.empty();
}

std::wstring NewsTicker::NextText() {
    if (pairs_.empty()) {
        return {};
    }
    std::wstring text = pairs_[position_].first;
    position_ = (position_ + 1) % pairs_.size();
    return text;
}

std::wstring NewsTicker::LinkOf(const std::wstring& text) const {
    for (const auto& [pairText, link] : pairs_) {
        if (pairText == text) {
            return link;
        }
    }
    return {};
}

}  // namespace app
