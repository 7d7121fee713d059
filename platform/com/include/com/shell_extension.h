#pragma once

// The file manager's extension interfaces for context-menu handlers, with the Windows layout.

#include "com/data_object.h"
#include "com/menu.h"
#include "com/unknown.h"

struct HKEY__;
struct HWND__;

namespace com {

inline constexpr IID IID_IShellExtInit = {
    0x000214E8, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IContextMenu = {
    0x000214E4, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct ITEMIDLIST;
using PCIDLIST_ABSOLUTE = const ITEMIDLIST*;

// QueryContextMenu flags.
constexpr UINT CMF_NORMAL = 0x0000;
constexpr UINT CMF_DEFAULTONLY = 0x0001;

// GetCommandString types: bit 1 asks for the help text, bit 4 for wide characters.
constexpr UINT GCS_VERBA = 0x0000;
constexpr UINT GCS_HELPTEXTA = 0x0001;
constexpr UINT GCS_VALIDATEA = 0x0002;
constexpr UINT GCS_VERBW = 0x0004;
constexpr UINT GCS_HELPTEXTW = 0x0005;
constexpr UINT GCS_VALIDATEW = 0x0006;
constexpr UINT GCS_HELPTEXT = 0x0001;
constexpr UINT GCS_UNICODE = 0x0004;

constexpr int SW_SHOWNORMAL = 1;

struct CMINVOKECOMMANDINFO {
    DWORD cbSize;
    DWORD fMask;
    HWND__* hwnd;
    const CHAR* lpVerb;  // a verb string, or a command offset in the low word (MAKEINTRESOURCE)
    const CHAR* lpParameters;
    const CHAR* lpDirectory;
    int nShow;
    DWORD dwHotKey;
    void* hIcon;
};

// The verb field of an invocation that names a command offset rather than a verb string.
inline const CHAR* MakeIntResourceA(UINT offset) {
    return reinterpret_cast<const CHAR*>(static_cast<UINT_PTR>(offset & 0xFFFFu));
}

// True when the verb field holds a command offset (its high bits are zero).
inline bool IsIntResource(const CHAR* verb) {
    return (reinterpret_cast<UINT_PTR>(verb) >> 16) == 0;
}

struct IShellExtInit : IUnknown {
    // Hands the handler the selection: folder (may be null), the data object holding the
    // selected items, and the registry key of their type (may be null).
    virtual HRESULT Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY__* progId) = 0;
};

struct IContextMenu : IUnknown {
    // Adds items at index with command ids from first to last; reports the number added in the
    // result's code field.
    virtual HRESULT QueryContextMenu(HMENU menu, UINT index, UINT first, UINT last, UINT flags) = 0;
    virtual HRESULT InvokeCommand(CMINVOKECOMMANDINFO* info) = 0;
    // Copies a verb or help text for command offset into buffer (size in characters of the
    // asked width).
    virtual HRESULT GetCommandString(UINT_PTR offset, UINT type, UINT* reserved, CHAR* buffer,
                                     UINT size) = 0;
};

}  // namespace com
