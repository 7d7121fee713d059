#pragma once

// CPMenuItem: the context-menu handler. The file manager creates one per menu it builds, hands
// it the selection (Initialize), lets it add its item (QueryContextMenu) and runs the item's
// command (InvokeCommand), which starts folioforge beside the module with "/make" and the
// selected paths. Lives in one thread (apartment model); the reference count is atomic.

#include <atomic>
#include <string>
#include <vector>

#include "com/shell_extension.h"

namespace shellext {

// The handler's class id, {1C8BA08F-E4D2-4929-B7E3-DF4DAFF7A333}.
inline constexpr com::CLSID CLSID_PMenuItem = {
    0x1C8BA08F, 0xE4D2, 0x4929, {0xB7, 0xE3, 0xDF, 0x4D, 0xAF, 0xF7, 0xA3, 0x33}};

// Setting this environment variable to a program's path starts that program instead of the
// folioforge beside the module (for tests and for running from a build tree).
inline constexpr char kProgramOverrideVariable[] = "FOLIOFORGE_SHELL_PROGRAM";

class CPMenuItem final : public com::IShellExtInit, public com::IContextMenu {
public:
    // A new handler with reference count 1 and no paths; holds a module reference.
    CPMenuItem();

    com::HRESULT QueryInterface(const com::IID& iid, void** object) override;
    com::ULONG AddRef() override;
    com::ULONG Release() override;

    // Appends the data object's drop list to the paths kept so far, in its order. E_INVALIDARG
    // when there is no data object, it offers no drop list, or the list is empty.
    com::HRESULT Initialize(com::PCIDLIST_ABSOLUTE folder, com::IDataObject* data,
                            HKEY__* progId) override;

    // Adds one item at index (caption, bitmap, command id first) and reports 1 item; adds
    // nothing and reports 0 for CMF_DEFAULTONLY. E_INVALIDARG when the menu refuses the item.
    com::HRESULT QueryContextMenu(com::HMENU menu, com::UINT index, com::UINT first, com::UINT last,
                                  com::UINT flags) override;

    // For command offset 0: starts the program (see kProgramOverrideVariable) with "/make" and
    // each path as one argument, in order, and does not wait. S_OK when it started, the
    // failure's code otherwise. E_INVALIDARG for verb strings and other offsets.
    com::HRESULT InvokeCommand(com::CMINVOKECOMMANDINFO* info) override;

    // Copies the help text into buffer, truncated to size characters including the NUL, wide
    // for types with GCS_UNICODE, narrow for GCS_HELPTEXTA. E_INVALIDARG for other offsets,
    // for types with neither bit, and for a null buffer.
    com::HRESULT GetCommandString(com::UINT_PTR offset, com::UINT type, com::UINT* reserved,
                                  com::CHAR* buffer, com::UINT size) override;

private:
    ~CPMenuItem();
    com::HRESULT AppendPaths(com::HGLOBAL drop);

    std::atomic<com::ULONG> references_{1};
    std::vector<std::wstring> paths_;
};

}  // namespace shellext
