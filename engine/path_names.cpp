#include "path_names.h"

namespace engine {

std::wstring_view FileNamePart(std::wstring_view path) {
    const size_t slash = path.find_last_of(L'/');
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

std::wstring_view FolderPart(std::wstring_view path) {
    const size_t slash = path.find_last_of(L'/');
    return slash == std::wstring_view::npos ? path : path.substr(0, slash);
}

std::wstring BookmarkTitle(std::wstring_view path) {
    if (path.find(L'/') == std::wstring_view::npos) return std::wstring(path);
    const std::wstring_view name = FileNamePart(path);
    return std::wstring(name.substr(0, name.find_last_of(L'.')));
}

}  // namespace engine
