#include "trellis/ui_root.h"

int CUIRoot::PopTip(const wchar_t* text) {
    if (sink_ != nullptr) {
        sink_->PopTip(text != nullptr ? text : L"");
    }
    return 0;
}

HWND CUIRoot::GetWnd() {
    return sink_ != nullptr ? sink_->GetWnd() : nullptr;
}

int CUIRoot::ReDraw(const RECT* rect) {
    return sink_ != nullptr ? sink_->Invalidate(rect) : 0;
}

LRESULT CUIRoot::SendMessageToWnd(UINT msg, WPARAM wParam, LPARAM lParam) {
    return sink_ != nullptr ? sink_->SendMessage(msg, wParam, lParam) : 0;
}

int CUIRoot::SetMouseObject(CUIObject* object) {
    mouseObject_ = object;
    return 1;
}

int CUIRoot::SetMouseDownObject(CUIObject* object) {
    mouseDownObject_ = object;
    return 1;
}

int CUIRoot::SetMouseHoverObject(CUIObject* object) {
    hoverObject_ = object;
    return 1;
}

int CUIRoot::SetCursorShape(Qt::CursorShape shape) {
    if (sink_ == nullptr) {
        return 0;
    }
    sink_->SetCursorShape(shape);
    return 1;
}
