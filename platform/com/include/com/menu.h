#pragma once

// Pop-up menus that a host creates and a context-menu handler fills, and the small bitmaps
// shown beside their items. A menu belongs to the host: the functions below dispatch through
// the menu object's own virtual functions, so a handler module reaches the host's code. Use a
// menu from one thread.

#include <cstdint>
#include <string>

#include "com/types.h"

namespace com {

// A 32-bit image, rows top to bottom, pixels 0xAARRGGBB. The owner keeps it alive as long as
// any menu shows it.
struct HBITMAP__ {
    std::int32_t width;
    std::int32_t height;
    const std::uint32_t* pixels;
};
using HBITMAP = const HBITMAP__*;

struct HMENU__;
using HMENU = HMENU__*;

constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_BITMAP = 0x0080;
constexpr UINT MIIM_FTYPE = 0x0100;
constexpr UINT MFT_STRING = 0x0000;

struct MENUITEMINFOW {
    UINT cbSize;
    UINT fMask;
    UINT fType;
    UINT fState;
    UINT wID;
    HMENU hSubMenu;
    HBITMAP hbmpChecked;
    HBITMAP hbmpUnchecked;
    ULONG_PTR dwItemData;
    WCHAR* dwTypeData;  // the text; the menu copies it on insertion
    UINT cch;
    HBITMAP hbmpItem;
};

// What a menu item holds, as a host reads it back.
struct MenuItem {
    UINT id = 0;
    UINT type = MFT_STRING;
    std::wstring text;
    HBITMAP bitmap = nullptr;
};

struct HMENU__ {
    virtual BOOL Insert(UINT position, const MENUITEMINFOW& item) = 0;
    virtual int Count() const = 0;
    virtual const MenuItem* At(UINT position) const = 0;
    virtual void Destroy() = 0;

protected:
    ~HMENU__() = default;
};

// A new empty menu owned by the caller (DestroyMenu); null when memory runs out.
HMENU CreatePopupMenu();

// Inserts an item before position (byPosition TRUE; positions past the end append), taking
// the fields that item.fMask names. FALSE for a null menu or item, or byPosition FALSE (items
// are only addressed by position here).
BOOL InsertMenuItemW(HMENU menu, UINT position, BOOL byPosition, const MENUITEMINFOW* item);

// The number of items; -1 for a null menu.
int GetMenuItemCount(HMENU menu);

// The item at position; null past the end. Valid until the menu changes.
const MenuItem* GetMenuItem(HMENU menu, UINT position);

BOOL DestroyMenu(HMENU menu);

}  // namespace com
