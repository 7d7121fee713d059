#include "path_names.h"

#include "platform/text.h"

namespace engine {

std::wstring BookmarkTitle(std::wstring_view path) {
    if (path.find(L'/') == std::wstring_view::npos) {
        return platform::DisplayPath(path);
    }
    const std::wstring_view name = FileNamePart(path);
    return platform::DisplayPath(name.substr(0, name.find_last_of(L'.')));
}

}  // namespace engine
