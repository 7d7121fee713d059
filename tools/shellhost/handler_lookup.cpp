#include "handler_lookup.h"

#include <algorithm>

#include "platform/registry.h"
#include "platform/text.h"

namespace shellhost {
namespace {

struct ClassesView {
    platform::HKEY root;
    const wchar_t* prefix;
};

const ClassesView kClassesViews[] = {
    {platform::HKEY_CURRENT_USER, L"Software\\Classes\\"},
    {platform::HKEY_CLASSES_ROOT, L""},
};

void AddHandlersOf(const std::wstring& type, std::vector<com::CLSID>& found) {
    for (const ClassesView& view : kClassesViews) {
        const std::wstring key = view.prefix + type + L"\\shellex\\ContextMenuHandlers";
        for (const std::wstring& name : platform::RegEnumSubKeys(view.root, key)) {
            const auto value = platform::RegReadString(view.root, key + L"\\" + name, L"");
            auto clsid = value ? com::GuidFromString(*value) : std::nullopt;
            if (!clsid) {
                clsid = com::GuidFromString(name);
            }
            if (clsid && std::find(found.begin(), found.end(), *clsid) == found.end()) {
                found.push_back(*clsid);
            }
        }
    }
}

}  // namespace

std::vector<com::CLSID> FindContextMenuHandlers(bool forFiles, bool forFolders) {
    std::vector<com::CLSID> found;
    if (forFiles) {
        AddHandlersOf(L"*", found);
    }
    if (forFolders) {
        AddHandlersOf(L"Directory", found);
    }
    return found;
}

std::optional<std::string> FindInprocServer(const com::CLSID& clsid) {
    for (const ClassesView& view : kClassesViews) {
        const std::wstring key =
            view.prefix + std::wstring(L"CLSID\\") + com::GuidToString(clsid) + L"\\InprocServer32";
        if (const auto path = platform::RegReadString(view.root, key, L"");
            path && !path->empty()) {
            return platform::PathToNative(*path);
        }
    }
    return std::nullopt;
}

}  // namespace shellhost
