#include "trellis/ui_combo_box.h"

#include "trellis/drawing.h"

namespace {

constexpr COLORREF kFieldColour = 0xFFFFFF;
constexpr COLORREF kFrameColour = 0xA24F1D;
constexpr COLORREF kArrowColour = 0x000000;
constexpr LONG kArrowStrip = 12;
constexpr LONG kArrowHalfWidth = 4;

}  // namespace

CUIComboBox::CUIComboBox() {
    popup_.SetInActiveProc(&StOnInActive, this);
}

int CUIComboBox::AddString(const wchar_t* text) {
    const std::wstring choice = text != nullptr ? text : L"";
    if (strings_.empty() && choice != text_) {
        SetText(choice.c_str(), 1);
    }
    strings_.push_back(choice);
    return 1;
}

int CUIComboBox::SetSelectItem(UINT index) {
    if (index >= strings_.size() || index == selection_) {
        return 0;
    }
    SetText(strings_[index].c_str(), 1);
    selection_ = index;
    SendMessageToWnd(WM_UI_CHANGED, id_, UI_CHANGED_SELECTION);
    return 1;
}

int CUIComboBox::OnInActive() {
    if (popup_.GetSelectedIndex() != -1) {
        SetSelectItem(static_cast<UINT>(popup_.GetSelectedIndex()));
    }
    return 1;
}

int CUIComboBox::StOnInActive(UINT, HWND, int, void* context) {
    return static_cast<CUIComboBox*>(context)->OnInActive();
}

int CUIComboBox::OnDraw(CDC* dc, const RECT* rect) {
    if (dc == nullptr || rect == nullptr) {
        return 0;
    }
    const CRect client = ClientRect();
    DrawAlphaRect(dc, &client, kFieldColour, 255);
    const CRect frame(0, 0, client.right - 1, client.bottom - 1);
    DrawAlphaFrameRect(dc, &frame, kFrameColour, 255);
    DrawArrow(dc, CRect(client.right - kArrowStrip, 1, client.right - 2, client.bottom - 2));
    const CRect textArea(1, 1, client.right - kArrowStrip, client.bottom - 2);
    DrawTextBk(dc, text_.c_str(), &textArea, DT_VCENTER | DT_WORD_ELLIPSIS, textColor_,
               textBkColor_);
    if (visible_) {
        DrawSubObject(dc);
    }
    return 0;
}

void CUIComboBox::DrawArrow(CDC* dc, const CRect& area) {
    // A filled triangle pointing down with its tip at (cx, cy), drawn row by row.
    const LONG cx = area.left + area.Width() / 2;
    const LONG cy = area.top + (area.Height() + 4) / 2;
    for (LONG row = 0; row <= kArrowHalfWidth; ++row) {
        const LONG half = kArrowHalfWidth - row;
        const LONG y = cy - kArrowHalfWidth + row;
        const CRect line(cx - half, y, cx + half + 1, y + 1);
        FillRectAlpha(dc, &line, kArrowColour, 255);
    }
}

int CUIComboBox::OnMouseLUp(POINT pt) {
    if (FindSubObject(pt) == nullptr && ClientRect().PtInRect(pt)) {
        OpenPopup();
    }
    return CUIObject::OnMouseLUp(pt);
}

void CUIComboBox::OpenPopup() {
    const HWND window = GetWnd();
    if (window == nullptr) {
        return;
    }
    CRect placed;
    GetWndRect(&placed);
    POINT topLeft{placed.left, placed.top};
    POINT bottomRight{placed.right, placed.bottom};
    ClientToScreen(window, &topLeft);
    ClientToScreen(window, &bottomRight);
    const RECT anchor{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    if (popup_.GetSafeHwnd() == nullptr) {
        const RECT below{anchor.left, anchor.bottom, anchor.right,
                         anchor.bottom + (anchor.bottom - anchor.top)};
        popup_.Create(text_.c_str(), &below, window);
    }
    popup_.ClearItems();
    for (const std::wstring& choice : strings_) {
        popup_.AddItem(choice.c_str());
    }
    // The list starts at the current selection, which is also what closing it without a new
    // choice reports back (a no-op).
    popup_.DropDown(&anchor, selection_ == kNoSelection ? -1 : static_cast<int>(selection_));
}
