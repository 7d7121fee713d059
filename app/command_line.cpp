#include "command_line.h"

#include <filesystem>
#include <system_error>

#include "platform/text.h"

namespace app {

namespace {

constexpr wchar_t kMakeSwitch[] = L"/make";
constexpr wchar_t kTrimmed[] = L" \"";

bool IsMakeSwitch(const std::wstring& argument) {
    return platform::EqualsIgnoreCase(argument, kMakeSwitch);
}

// The path taken against the working folder; unchanged when that cannot be read.
std::wstring AbsolutePath(const std::wstring& path) {
    std::error_code error;
    const std::filesystem::path absolute =
        std::filesystem::absolute(platform::PathToNative(path), error);
    if (error) {
        return path;
    }
    return platform::PathFromNative(absolute.lexically_normal().native());
}

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
    if (arguments.size() <= 2 || !IsMakeSwitch(arguments[1])) {
        return {};
    }
    std::vector<std::wstring> paths;
    for (size_t i = 2; i < arguments.size(); ++i) {
        paths.push_back(TrimSpacesAndQuotes(arguments[i]));
    }
    return paths;
}

std::vector<std::wstring> OpenPathsOf(const std::vector<std::wstring>& arguments) {
    if (arguments.size() < 2 || IsMakeSwitch(arguments[1])) {
        return {};
    }
    std::vector<std::wstring> paths;
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].empty()) {
            paths.push_back(AbsolutePath(arguments[i]));
        }
    }
    return paths;
}

}  // namespace app
