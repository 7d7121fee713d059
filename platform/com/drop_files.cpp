#include "com/drop_files.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string_view>

namespace com {
namespace {

// The first paths of a drop list, at most limit of them, bounded by the block's size so a
// malformed block cannot lead the reader past its end. The views point into the block.
std::vector<std::wstring_view> PathsOf(HDROP drop, std::size_t limit) {
    std::vector<std::wstring_view> paths;
    const std::size_t size = GlobalSize(drop);
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(drop));
    if (!bytes || size < sizeof(DROPFILES)) {
        GlobalUnlock(drop);
        return paths;
    }
    DROPFILES header;
    std::memcpy(&header, bytes, sizeof header);
    if (header.fWide && header.pFiles >= sizeof header && header.pFiles % sizeof(WCHAR) == 0 &&
        header.pFiles <= size) {
        const auto* text = reinterpret_cast<const WCHAR*>(bytes + header.pFiles);
        std::wstring_view rest(text, (size - header.pFiles) / sizeof(WCHAR));
        while (paths.size() < limit && !rest.empty() && rest.front() != L'\0') {
            const std::size_t end = rest.find(L'\0');
            if (end == std::wstring_view::npos) {
                break;  // an unterminated last path is not a path
            }
            paths.push_back(rest.substr(0, end));
            rest.remove_prefix(end + 1);
        }
    }
    GlobalUnlock(drop);
    return paths;
}

}  // namespace

HDROP CreateDropList(const std::vector<std::wstring>& paths) {
    std::size_t characters = 1;
    for (const std::wstring& path : paths) {
        characters += path.size() + 1;
    }
    HDROP drop =
        GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + characters * sizeof(WCHAR));
    if (!drop) {
        return nullptr;
    }
    auto* bytes = static_cast<unsigned char*>(GlobalLock(drop));
    const DROPFILES header{sizeof(DROPFILES), {0, 0}, FALSE, TRUE};
    std::memcpy(bytes, &header, sizeof header);
    auto* text = reinterpret_cast<WCHAR*>(bytes + sizeof header);
    for (const std::wstring& path : paths) {
        text = std::copy(path.begin(), path.end(), text);
        *text++ = L'\0';
    }
    GlobalUnlock(drop);
    return drop;
}

UINT DragQueryFileW(HDROP drop, UINT index, WCHAR* buffer, UINT size) {
    const bool counting = index == kDragQueryCount;
    const std::vector<std::wstring_view> paths =
        PathsOf(drop, counting ? static_cast<std::size_t>(-1) : std::size_t{index} + 1);
    if (counting) {
        return static_cast<UINT>(paths.size());
    }
    if (index >= paths.size()) {
        return 0;
    }
    const std::wstring_view path = paths[index];
    if (!buffer) {
        return static_cast<UINT>(path.size());
    }
    if (size == 0) {
        return 0;
    }
    const std::size_t copied = std::min<std::size_t>(path.size(), size - 1);
    std::wmemcpy(buffer, path.data(), copied);
    buffer[copied] = L'\0';
    return static_cast<UINT>(copied);
}

}  // namespace com
