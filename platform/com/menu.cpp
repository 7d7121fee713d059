#include "com/menu.h"

#include <new>
#include <vector>

namespace com {
namespace {

MenuItem ItemFrom(const MENUITEMINFOW& info) {
    MenuItem item;
    if (info.fMask & MIIM_ID) {
        item.id = info.wID;
    }
    if (info.fMask & MIIM_FTYPE) {
        item.type = info.fType;
    }
    if ((info.fMask & MIIM_STRING) && info.dwTypeData) {
        item.text = info.dwTypeData;
    }
    if (info.fMask & MIIM_BITMAP) {
        item.bitmap = info.hbmpItem;
    }
    return item;
}

class PopupMenu final : public HMENU__ {
public:
    BOOL Insert(UINT position, const MENUITEMINFOW& info) override {
        const auto at = position < items_.size() ? items_.begin() + position : items_.end();
        items_.insert(at, ItemFrom(info));
        return TRUE;
    }
    int Count() const override { return static_cast<int>(items_.size()); }
    const MenuItem* At(UINT position) const override {
        return position < items_.size() ? &items_[position] : nullptr;
    }
    void Destroy() override { delete this; }

private:
    std::vector<MenuItem> items_;
};

}  // namespace

HMENU CreatePopupMenu() {
    return new (std::nothrow) PopupMenu;
}

BOOL InsertMenuItemW(HMENU menu, UINT position, BOOL byPosition, const MENUITEMINFOW* item) {
    if (!menu || !item || !byPosition) {
        return FALSE;
    }
    return menu->Insert(position, *item);
}

int GetMenuItemCount(HMENU menu) {
    return menu ? menu->Count() : -1;
}

const MenuItem* GetMenuItem(HMENU menu, UINT position) {
    return menu ? menu->At(position) : nullptr;
}

BOOL DestroyMenu(HMENU menu) {
    if (!menu) {
        return FALSE;
    }
    menu->Destroy();
    return TRUE;
}

}  // namespace com
