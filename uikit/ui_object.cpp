#include "trellis/ui_object.h"

#include <algorithm>

#include "anchor_layout.h"

CUIObject::~CUIObject() {
    LeaveTree();
}

void CUIObject::LeaveTree() {
    if (parent_ != nullptr) {
        // Forget every root pointer into this subtree before the subtree comes apart.
        const auto inSubtree = [this](const CUIObject* object) {
            for (; object != nullptr; object = object->parent_) {
                if (object == this) {
                    return true;
                }
            }
            return false;
        };
        if (inSubtree(GetMouseObject())) {
            SetMouseObject(nullptr);
        }
        if (inSubtree(GetMouseDownObject())) {
            SetMouseDownObject(nullptr);
        }
        if (inSubtree(GetMouseHoverObject())) {
            SetMouseHoverObject(nullptr);
        }
        UnhookSubtree(this);
        parent_->RemoveSubObject(this);
        for (CUIObject* sibling : parent_->layoutList_) {
            sibling->ForgetAnchorsTo(this);
        }
        parent_ = nullptr;
    }
    for (CUIObject* child : layoutList_) {
        child->ForgetAnchorsTo(this);
        if (child->parent_ == this) {
            child->parent_ = nullptr;
        }
    }
}

void CUIObject::UnhookSubtree(CUIObject* object) {
    // Hooks are told apart from the rest of the tree only by the root, so every object of the
    // subtree that leaves is removed from its hook set.
    SetMsgHookObject(object, 0);
    for (CUIObject* child : object->layoutList_) {
        UnhookSubtree(child);
    }
}

void CUIObject::ForgetAnchorsTo(const CUIObject* target) {
    for (tagUIAnchor* anchor : {&leftAnchor_, &topAnchor_, &rightAnchor_, &bottomAnchor_}) {
        if (anchor->target == target) {
            *anchor = tagUIAnchor{};
        }
    }
}

LRESULT CUIObject::OnMessage(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

int CUIObject::Create(const wchar_t* text, const RECT* rect, CUIObject* parent, UINT id) {
    id_ = id;
    if (text == nullptr || text_ != text) {
        StoreText(text, true);
    }
    if (parent_ != nullptr && parent_ != parent) {
        parent_->RemoveSubObject(this);
    }
    if (parent != nullptr) {
        parent->AddSubObject(this);
    }
    parent_ = parent;
    SetRect(rect);
    return 1;
}

int CUIObject::AddSubObject(CUIObject* child) {
    if (child != nullptr &&
        std::find(layoutList_.begin(), layoutList_.end(), child) == layoutList_.end()) {
        drawList_.insert(drawList_.begin(), child);
        layoutList_.push_back(child);
    }
    return 1;
}

void CUIObject::RemoveSubObject(CUIObject* child) {
    std::erase(drawList_, child);
    std::erase(layoutList_, child);
}

int CUIObject::Anchor(UINT edge, CUIObject* target, UINT targetEdge, int offset) {
    tagUIAnchor* anchor = nullptr;
    switch (edge) {
        case ANCHOR_LEFT:
            anchor = &leftAnchor_;
            break;
        case ANCHOR_TOP:
            anchor = &topAnchor_;
            break;
        case ANCHOR_RIGHT:
            anchor = &rightAnchor_;
            break;
        case ANCHOR_BOTTOM:
            anchor = &bottomAnchor_;
            break;
        default:
            return 0;
    }
    *anchor = target != nullptr ? tagUIAnchor{target, targetEdge, offset} : tagUIAnchor{};
    return 1;
}

int CUIObject::AnchorValue(const tagUIAnchor& anchor) const {
    const CRect targetRect =
        anchor.target == parent_ ? anchor.target->ClientRect() : anchor.target->rect_;
    return EdgeCoordinate(targetRect, anchor.edge) + anchor.offset;
}

int CUIObject::OnAnchor() {
    AnchoredEdges edges;
    const auto valueOf = [this](const tagUIAnchor& anchor) -> std::optional<LONG> {
        if (anchor.target == nullptr) {
            return std::nullopt;
        }
        return AnchorValue(anchor);
    };
    edges.left = valueOf(leftAnchor_);
    edges.top = valueOf(topAnchor_);
    edges.right = valueOf(rightAnchor_);
    edges.bottom = valueOf(bottomAnchor_);
    if (!edges.Any()) {
        return 0;
    }
    const RECT placed = ApplyAnchoredEdges(rect_, edges);
    SetRect(&placed);
    return 1;
}

int CUIObject::OnSize(const RECT*) {
    for (CUIObject* child : layoutList_) {
        child->OnAnchor();
    }
    return 0;
}

int CUIObject::SetRect(const RECT* rect) {
    rect_ = rect != nullptr ? CRect(*rect) : CRect();
    const CRect client = ClientRect();
    OnSize(&client);
    OnSize(&client);
    ReDraw(nullptr);
    return 1;
}

int CUIObject::GetRect(RECT* rect) const {
    if (rect != nullptr) {
        *rect = rect_;
    }
    return 1;
}

int CUIObject::GetClientRect(RECT* rect) const {
    if (rect != nullptr) {
        *rect = ClientRect();
    }
    return 1;
}

int CUIObject::GetWndRect(RECT* rect) const {
    CRect placed = rect_;
    if (parent_ != nullptr) {
        CRect parentRect;
        parent_->GetWndRect(&parentRect);
        placed.OffsetRect(parentRect.left, parentRect.top);
    }
    if (rect != nullptr) {
        *rect = placed;
    }
    return 1;
}

void CUIObject::StoreText(const wchar_t* text, bool alsoTip) {
    text_ = text != nullptr ? text : L"";
    OnTextChange(text_.c_str());
    if (alsoTip) {
        tipText_ = text_;
    }
    SendMessageToWnd(WM_UI_CHANGED, id_, UI_CHANGED_TEXT);
    ReDraw(nullptr);
}

int CUIObject::SetText(const wchar_t* text, int alsoTip) {
    if (text == nullptr || text_ != text) {
        StoreText(text, alsoTip != 0);
    }
    return 1;
}

int CUIObject::SetTipText(const wchar_t* text) {
    tipText_ = text != nullptr ? text : L"";
    return 1;
}

int CUIObject::OnTextChange(const wchar_t*) {
    return 1;
}

int CUIObject::SetTextColor(DWORD text, DWORD background) {
    textColor_ = text;
    textBkColor_ = background;
    ReDraw(nullptr);
    return 1;
}

int CUIObject::SetVisible(int visible) {
    visible_ = visible != 0;
    ReDraw(nullptr);
    return 1;
}

int CUIObject::SetTransparency(BOOL transparency) {
    transparency_ = transparency != 0;
    return 1;
}

BOOL CUIObject::IsTransparency(POINT) {
    return transparency_;
}

int CUIObject::SetSysCommand(UINT command) {
    sysCommand_ = command;
    return 1;
}

LRESULT CUIObject::SendMessageUI(UINT id, UINT msg, UINT wParam, LONG lParam) {
    tagUIMessageData data{id, msg, wParam, lParam};
    return SendMessageToWnd(WM_UI_MESSAGE, reinterpret_cast<WPARAM>(&data), 0);
}

LRESULT CUIObject::SendMessageCommand(UINT low, UINT high) {
    return SendMessageToWnd(WM_COMMAND, MAKEWPARAM(low, high), 0);
}

// Forwarding to the root. The root overrides each of these.

int CUIObject::PopTip(const wchar_t* text) {
    return parent_ != nullptr ? parent_->PopTip(text) : 0;
}

HWND CUIObject::GetWnd() {
    return parent_ != nullptr ? parent_->GetWnd() : nullptr;
}

LRESULT CUIObject::SendMessageToWnd(UINT msg, WPARAM wParam, LPARAM lParam) {
    return parent_ != nullptr ? parent_->SendMessageToWnd(msg, wParam, lParam) : 1;
}

int CUIObject::ReDraw(const RECT* rect) {
    if (parent_ == nullptr) {
        return 1;
    }
    CRect area = rect != nullptr ? CRect(*rect) : ClientRect();
    area.OffsetRect(rect_.left, rect_.top);
    return parent_->ReDraw(&area);
}

CUIObject* CUIObject::GetMouseObject() {
    return parent_ != nullptr ? parent_->GetMouseObject() : nullptr;
}

int CUIObject::SetMouseObject(CUIObject* object) {
    return parent_ != nullptr ? parent_->SetMouseObject(object) : 0;
}

CUIObject* CUIObject::GetMouseDownObject() {
    return parent_ != nullptr ? parent_->GetMouseDownObject() : nullptr;
}

int CUIObject::SetMouseDownObject(CUIObject* object) {
    return parent_ != nullptr ? parent_->SetMouseDownObject(object) : 0;
}

CUIObject* CUIObject::GetMouseHoverObject() {
    return parent_ != nullptr ? parent_->GetMouseHoverObject() : nullptr;
}

int CUIObject::SetMouseHoverObject(CUIObject* object) {
    return parent_ != nullptr ? parent_->SetMouseHoverObject(object) : 0;
}

int CUIObject::SetMsgHookObject(CUIObject* object, int add) {
    return parent_ != nullptr ? parent_->SetMsgHookObject(object, add) : 0;
}

int CUIObject::SetCursorShape(Qt::CursorShape shape) {
    return parent_ != nullptr ? parent_->SetCursorShape(shape) : 0;
}
