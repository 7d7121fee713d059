#include "command_line.h"

#include "platform/text.h"

namespace app {

namespace {

constexpr wchar_t kMakeSwitch[] = L"/make";
constexpr wchar_t kTrimmed[] = L" \"";

}  // namespace

std::wstring TrimSpacesAndQuotes(const std::wstring& text) {
    const size_t first = text.find_first_not_of(kTrimmed);
    if (first == std::wstring::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(kTrimmed);
    return text.substr(first, last - first + 1);
}

std::vector<std::wstring> MakePathsOf(const std::vector<std::wstring>& arguments) {
    if (arguments.size() <= 2 || !platform::EqualsIgnoreCase(arguments[1], kMakeSwitch)) {
        return {};
    }
    std::vector<std::wstring> paths;
    for (size_t i = 2; i < arguments.size(); ++i) {
        paths.push_back(TrimSpacesAndQuotes(arguments[i]));
    }
    return paths;
}

}  // namespace app
