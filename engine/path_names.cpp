#include "path_names.h"

namespace engine {

std::wstring BookmarkTitle(std::wstring_view path) {
    if (path.find(L'/') == std::wstring_view::npos) {
        return std::wstring(path);
    }
    const std::wstring_view name = FileNamePart(path);
    return std::wstring(name.substr(0, name.find_last_of(L'.')));
}

}  // namespace engine
