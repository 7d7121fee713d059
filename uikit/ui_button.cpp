// CUIButton: state, images and mouse behaviour.

#include "trellis/ui_button.h"

#include "image_loading.h"
#include "trellis/cursors.h"
#include "trellis/drawing.h"
#include "trellis/resources.h"

int CUIButton::SetBtStyle(DWORD style) {
    style_ = style;
    return 1;
}

void CUIButton::StoreStateRects(const RECT* normal, const RECT* hover, const RECT* pressed) {
    normalRect_ = normal != nullptr ? CRect(*normal) : CRect();
    hoverRect_ = hover != nullptr ? CRect(*hover) : normalRect_;
    pressedRect_ = pressed != nullptr ? CRect(*pressed) : normalRect_;
}

int CUIButton::SetImage(UINT resourceId, const wchar_t* resourceType, const RECT* normal,
                        const RECT* hover, const RECT* pressed) {
    const bool loaded = LoadImageResource(strip_, GetResourceModule(), resourceId, resourceType);
    CImageTransparent(&strip_);
    StoreStateRects(normal, hover, pressed);
    return loaded ? 1 : 0;
}

int CUIButton::SetImage(const wchar_t* path, const RECT* normal, const RECT* hover,
                        const RECT* pressed) {
    if (!LoadImageFile(strip_, path)) {
        return 0;
    }
    StoreStateRects(normal, hover, pressed);
    return 1;
}

CSize CUIButton::GetImageSize() const {
    return strip_.IsNull() ? CSize() : normalRect_.Size();
}

int CUIButton::SetCheck(int check) {
    check_ = check;
    SendMessageToWnd(WM_UI_CHANGED, id_, UI_CHANGED_CHECK);
    ReDraw(nullptr);
    return 1;
}

int CUIButton::SetColor(DWORD colour) {
    swatchColor_ = colour;
    style_ = UIBS_COLOR;
    ReDraw(nullptr);
    return 1;
}

int CUIButton::SetBkColor(DWORD normal, DWORD hover, DWORD pressed) {
    normalBkColor_ = normal;
    hoverBkColor_ = hover;
    pressedBkColor_ = pressed;
    ReDraw(nullptr);
    return 1;
}

int CUIButton::OnMouseMove(POINT pt) {
    const BOOL hot = DropDownStrip().PtInRect(pt);
    if (hot != dropHot_) {
        dropHot_ = hot;
        ReDraw(nullptr);
    }
    return CUIObject::OnMouseMove(pt);
}

int CUIButton::OnMouseOut() {
    dropHot_ = 0;
    return CUIObject::OnMouseOut();
}

int CUIButton::OnMouseLUp(POINT pt) {
    if ((style_ & UIBS_CHECK) && ClientRect().PtInRect(pt)) {
        check_ = !check_;
        SendMessageToWnd(WM_UI_CHANGED, id_, UI_CHANGED_CHECK);
        ReDraw(nullptr);
    }
    if (!DropDownStrip().PtInRect(pt)) {
        return CUIObject::OnMouseLUp(pt);
    }
    SendMessageUI(id_, UIN_DROPDOWN, 0, 0);
    mouseDown_ = 0;
    ReleaseMouseDownObject();
    ReDraw(nullptr);
    return 0;
}

int CUIButton::OnSetCursor(HICON, CPoint) {
    SetCursor(IDC_HAND);
    return 1;
}
