#include "pmenu_item.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>

#include "com/drop_files.h"
#include "com/hresult.h"
#include "module.h"
#include "platform/text.h"
#include "program_launch.h"

namespace shellext {
namespace {

constexpr wchar_t kHelpText[] = L"Context Menu Test Description";
constexpr char kMakeSwitch[] = "/make";
constexpr char kProgramName[] = "folioforge";

// The program the menu command starts; empty when the module does not know its folder.
std::string ProgramPath() {
    if (const char* program = std::getenv(kProgramOverrideVariable); program && *program) {
        return program;
    }
    const std::string& folder = Module().folder;
    return folder.empty() ? std::string() : folder + kProgramName;
}

template <typename Char>
void CopyTruncated(std::basic_string_view<Char> text, Char* buffer, com::UINT size) {
    if (size == 0) {
        return;
    }
    const size_t copied = std::min<size_t>(text.size(), size - 1);
    std::copy_n(text.data(), copied, buffer);
    buffer[copied] = Char{};
}

}  // namespace

CPMenuItem::CPMenuItem() {
    AddModuleReference();
}

CPMenuItem::~CPMenuItem() {
    ReleaseModuleReference();
}

com::HRESULT CPMenuItem::QueryInterface(const com::IID& iid, void** object) {
    if (!object) {
        return com::E_POINTER;
    }
    if (iid == com::IID_IUnknown || iid == com::IID_IShellExtInit) {
        *object = static_cast<com::IShellExtInit*>(this);
    } else if (iid == com::IID_IContextMenu) {
        *object = static_cast<com::IContextMenu*>(this);
    } else {
        *object = nullptr;
        return com::E_NOINTERFACE;
    }
    AddRef();
    return com::S_OK;
}

com::ULONG CPMenuItem::AddRef() {
    return ++references_;
}

com::ULONG CPMenuItem::Release() {
    const com::ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

com::HRESULT CPMenuItem::Initialize(com::PCIDLIST_ABSOLUTE, com::IDataObject* data, HKEY__*) {
    if (!data) {
        return com::E_INVALIDARG;
    }
    com::FORMATETC format{com::CF_HDROP, nullptr, com::DVASPECT_CONTENT, -1, com::TYMED_HGLOBAL};
    com::STGMEDIUM medium{};
    if (data->GetData(&format, &medium) != com::S_OK) {
        return com::E_INVALIDARG;
    }
    const com::HRESULT result =
        medium.tymed == com::TYMED_HGLOBAL ? AppendPaths(medium.hGlobal) : com::E_INVALIDARG;
    com::ReleaseStgMedium(&medium);
    return result;
}

// Reads every path whole: a path is never cut to a fixed buffer length.
com::HRESULT CPMenuItem::AppendPaths(com::HGLOBAL drop) {
    if (!com::GlobalLock(drop)) {
        return com::E_INVALIDARG;
    }
    const com::UINT count = com::DragQueryFileW(drop, com::kDragQueryCount, nullptr, 0);
    for (com::UINT i = 0; i < count; ++i) {
        std::wstring path(com::DragQueryFileW(drop, i, nullptr, 0), L'\0');
        com::DragQueryFileW(drop, i, path.data(), static_cast<com::UINT>(path.size() + 1));
        paths_.push_back(std::move(path));
    }
    com::GlobalUnlock(drop);
    return count == 0 ? com::E_INVALIDARG : com::S_OK;
}

com::HRESULT CPMenuItem::QueryContextMenu(com::HMENU menu, com::UINT index, com::UINT first,
                                          com::UINT, com::UINT flags) {
    if (flags & com::CMF_DEFAULTONLY) {
        return com::MakeSuccess(0);
    }
    std::wstring caption = Module().caption;
    com::MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = com::MIIM_FTYPE | com::MIIM_BITMAP | com::MIIM_STRING | com::MIIM_ID;
    item.fType = com::MFT_STRING;
    item.wID = first;
    item.dwTypeData = caption.data();
    item.cch = static_cast<com::UINT>(caption.size());
    item.hbmpItem = Module().bitmap;
    if (!com::InsertMenuItemW(menu, index, com::TRUE, &item)) {
        return com::E_INVALIDARG;
    }
    return com::MakeSuccess(1);
}

com::HRESULT CPMenuItem::InvokeCommand(com::CMINVOKECOMMANDINFO* info) {
    if (!info || !com::IsIntResource(info->lpVerb) ||
        reinterpret_cast<com::UINT_PTR>(info->lpVerb) != 0) {
        return com::E_INVALIDARG;
    }
    const std::string program = ProgramPath();
    if (program.empty()) {
        return com::E_UNEXPECTED;
    }
    std::vector<std::string> arguments{kMakeSwitch};
    arguments.reserve(paths_.size() + 1);
    for (const std::wstring& path : paths_) {
        arguments.push_back(platform::PathToNative(path));
    }
    PinModule();  // the reaper thread outlives the handler
    AddModuleReference();
    const int error = StartDetached(program, arguments, ReleaseModuleReference);
    if (error != 0) {
        ReleaseModuleReference();
        return com::HResultFromErrno(error);
    }
    return com::S_OK;
}

com::HRESULT CPMenuItem::GetCommandString(com::UINT_PTR offset, com::UINT type, com::UINT*,
                                          com::CHAR* buffer, com::UINT size) {
    if (offset != 0 || !(type & (com::GCS_HELPTEXT | com::GCS_UNICODE)) || !buffer) {
        return com::E_INVALIDARG;
    }
    const std::wstring_view text = kHelpText;
    if (type & com::GCS_UNICODE) {
        CopyTruncated(text, reinterpret_cast<com::WCHAR*>(buffer), size);
    } else {
        const std::string narrow(text.begin(), text.end());  // the text is plain ASCII
        CopyTruncated(std::string_view(narrow), buffer, size);
    }
    return com::S_OK;
}

}  // namespace shellext
