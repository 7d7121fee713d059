#include "trellis/ui_tab.h"

#include <QFontMetrics>
#include <QGuiApplication>

#include "trellis/cursors.h"
#include "trellis/drawing.h"
#include "ui/window_api.h"

namespace {

constexpr LONG kTextPadding = 10;
constexpr COLORREF kTabColour = 0xFFFFFF;
constexpr COLORREF kSelectedText = 0x0000FF;
constexpr COLORREF kHoverText = 0x007BFF;
constexpr COLORREF kPlainText = 0x000000;
constexpr UINT kSelectedOpacity = 200;
constexpr UINT kTabOpacity = 100;

}  // namespace

int CUITab::AddItem(const wchar_t* text) {
    items_.push_back({text != nullptr ? text : L"", CRect()});
    ReCalculate();
    return static_cast<int>(items_.size()) - 1;
}

void CUITab::Clear() {
    items_.clear();
    hotIndex_ = -1;
    hoverIndex_ = -1;
    ReDraw(nullptr);
}

CRect CUITab::GetItemRect(int index) const {
    return index >= 0 && index < GetItemCount() ? items_[index].rect : CRect();
}

int CUITab::ReCalculate() {
    const auto font = reinterpret_cast<HFONT>(SendMessage(GetWnd(), WM_GETFONT, 0, 0));
    const QFontMetrics metrics(font != nullptr ? *font : QGuiApplication::font());
    LONG x = 0;
    for (TabItem& item : items_) {
        const LONG width = metrics.horizontalAdvance(QString::fromStdWString(item.text));
        item.rect = {x, 0, x + width + kTextPadding, rect_.Height()};
        x = item.rect.right;
    }
    return 0;
}

int CUITab::HitTest(POINT pt) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].rect.PtInRect(pt)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CUITab::SetHotIndex(UINT index) {
    hotIndex_ = static_cast<int>(index);
    ReDraw(nullptr);
    return 1;
}

int CUITab::OnDraw(CDC* dc, const RECT* rect) {
    if (dc == nullptr || rect == nullptr) {
        return 0;
    }
    const int previousMode = dc->SetBkMode(TRANSPARENT);
    const COLORREF previousColour = dc->GetTextColor();
    for (size_t i = 0; i < items_.size(); ++i) {
        const int index = static_cast<int>(i);
        const bool selected = index == hotIndex_;
        COLORREF colour = kPlainText;
        if (selected) {
            colour = kSelectedText;
        } else if (index == hoverIndex_) {
            colour = kHoverText;
        }
        DrawAlphaRect(dc, &items_[i].rect, kTabColour, selected ? kSelectedOpacity : kTabOpacity);
        dc->SetTextColor(colour);
        dc->DrawText(items_[i].text, items_[i].rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    dc->SetTextColor(previousColour);
    dc->SetBkMode(previousMode);
    if (visible_) {
        DrawSubObject(dc);
    }
    return 0;
}

int CUITab::OnMouseMove(POINT pt) {
    const int hit = HitTest(pt);
    if (hit != hoverIndex_) {
        hoverIndex_ = hit;
        ReDraw(nullptr);
    }
    return CUIObject::OnMouseMove(pt);
}

int CUITab::OnMouseOut() {
    hoverIndex_ = -1;
    ReDraw(nullptr);
    return CUIObject::OnMouseOut();
}

int CUITab::OnMouseLUp(POINT pt) {
    const int hit = HitTest(pt);
    if (hit != -1 && hit != hotIndex_) {
        hotIndex_ = hit;
        ReDraw(nullptr);
    }
    return CUIObject::OnMouseLUp(pt);
}

int CUITab::OnSize(const RECT*) {
    ReCalculate();
    ReDraw(nullptr);
    return 0;
}

int CUITab::OnSetCursor(HICON icon, CPoint pt) {
    if (HitTest(pt) != -1) {
        SetCursor(IDC_HAND);
        return 1;
    }
    return CUIObject::OnSetCursor(icon, pt);
}

BOOL CUITab::IsTransparency(POINT pt) {
    return HitTest(CPoint(pt) - rect_.TopLeft()) == -1 ? 1 : 0;
}
