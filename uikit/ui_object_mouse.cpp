// Mouse routing: every handler hands the event to the child under the point; the deepest
// object hit (the leaf) acts, keeping the root's mouse, mouse-down and hover pointers.

#include "trellis/cursors.h"
#include "trellis/ui_object.h"

CPoint CUIObject::ToChild(const CUIObject* child, POINT pt) const {
    return CPoint(pt) - child->rect_.TopLeft();
}

CUIObject* CUIObject::FindSubObject(CPoint pt) {
    // The oldest child is on top, so it is tested first.
    for (auto it = drawList_.rbegin(); it != drawList_.rend(); ++it) {
        CUIObject* child = *it;
        if (child->visible_ && !child->transparency_ && child->rect_.PtInRect(pt) &&
            !child->IsTransparency(pt)) {
            return child;
        }
    }
    return nullptr;
}

void CUIObject::WithdrawTip() {
    if (GetMouseHoverObject() != nullptr) {
        PopTip(L"");
        SetMouseHoverObject(nullptr);
    }
}

int CUIObject::OnMouseMove(POINT pt) {
    if (CUIObject* child = FindSubObject(pt)) {
        return child->OnMouseMove(ToChild(child, pt));
    }
    if (ClientRect().PtInRect(pt)) {
        NMHDR header{nullptr, id_, UIN_MOUSEMOVE};
        SendMessageToWnd(WM_NOTIFY, id_, reinterpret_cast<LPARAM>(&header));
    }
    CUIObject* previous = GetMouseObject();
    if (previous == this) {
        return 0;
    }
    WithdrawTip();
    if (previous != nullptr) {
        previous->OnMouseOut();
    }
    SetMouseObject(this);
    mouseIn_ = 1;
    ReDraw(nullptr);
    return 0;
}

int CUIObject::OnMouseOut() {
    mouseIn_ = 0;
    WithdrawTip();
    ReDraw(nullptr);
    return 0;
}

int CUIObject::OnMouseOver(POINT pt) {
    if (CUIObject* child = FindSubObject(pt)) {
        return child->OnMouseOver(ToChild(child, pt));
    }
    if (ClientRect().PtInRect(pt) && GetMouseHoverObject() != this) {
        SetMouseHoverObject(this);
        SendMessageUI(id_, WM_MOUSEHOVER, 0, 0);
        if (!tipText_.empty()) {
            PopTip(tipText_.c_str());
        }
    }
    return 0;
}

int CUIObject::OnMouseLDown(POINT pt) {
    if (CUIObject* child = FindSubObject(pt)) {
        return child->OnMouseLDown(ToChild(child, pt));
    }
    SetMouseDownObject(this);
    mouseDown_ = 1;
    ReDraw(nullptr);
    return 0;
}

int CUIObject::OnMouseLUp(POINT pt) {
    if (CUIObject* child = FindSubObject(pt)) {
        return child->OnMouseLUp(ToChild(child, pt));
    }
    if (ClientRect().PtInRect(pt)) {
        if (sysCommand_ != 0) {
            SendMessageToWnd(WM_SYSCOMMAND, sysCommand_, UI_SYSCOMMAND_TAG);
        } else {
            SendMessageCommand(id_, UI_COMMAND_TAG);
        }
    }
    mouseDown_ = 0;
    ReleaseMouseDownObject();
    ReDraw(nullptr);
    return 0;
}

void CUIObject::ReleaseMouseDownObject() {
    // The release has been reported (or not) by the object under the pointer; the pressed
    // object only loses its pressed look. Handing it the release as well would report a second
    // click whenever the point also lies over it or one of its children.
    CUIObject* pressed = GetMouseDownObject();
    SetMouseDownObject(nullptr);
    if (pressed == nullptr || pressed == this) {
        return;
    }
    pressed->mouseDown_ = 0;
    pressed->ReDraw(nullptr);
}

int CUIObject::OnSetCursor(HICON icon, CPoint pt) {
    if (CUIObject* child = FindSubObject(pt)) {
        return child->OnSetCursor(icon, ToChild(child, pt));
    }
    return 0;
}

int CUIObject::SetCursor(const wchar_t* name) {
    const std::optional<Qt::CursorShape> shape = CursorShapeForName(name);
    return shape ? SetCursorShape(*shape) : 0;
}
