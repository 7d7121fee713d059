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

}  // namespace platform
