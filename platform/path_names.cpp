#include "platform/path_names.h"

namespace platform {

std::wstring_view FileNamePart(std::wstring_view path) {
    const size_t slash = path.find_last_of(L'/');
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

std::wstring_view FolderPart(std::wstring_view path) {
    const size_t slash = path.find_last_of(L'/');
    return slash == std::wstring_view::npos ? path : path.substr(0, slash);
}

std::wstring NumberedName(std::wstring_view path, unsigned n) {
    if (n == 0) {
        return std::wstring(path);
    }
    const size_t nameStart = path.size() - FileNamePart(path).size();
    const size_t dot = path.find_last_of(L'.');
    const size_t at = dot != std::wstring_view::npos && dot > nameStart ? dot : path.size();
    return std::wstring(path.substr(0, at)) + L"(" + std::to_wstring(n) + L")" +
           std::wstring(path.substr(at));
}

}  // namespace platform
