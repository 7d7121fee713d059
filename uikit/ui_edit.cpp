#include "trellis/ui_edit.h"

#include <QLineEdit>

#include "trellis/drawing.h"
#include "ui/host_window.h"

namespace {

constexpr LONG kControlInset = 4;
constexpr COLORREF kFieldColour = 0xFFFFFF;
constexpr COLORREF kFrameColour = 0xFF0000;
constexpr UINT kFieldOpacity = 200;

}  // namespace

CUIEdit::~CUIEdit() {
    delete control_.data();
}

QLineEdit* CUIEdit::GetEditControl() const {
    return control_;
}

CRect CUIEdit::ControlRect() const {
    CRect placed;
    GetWndRect(&placed);
    placed.DeflateRect(kControlInset);
    return placed;
}

bool CUIEdit::IsEditing() const {
    return control_ != nullptr && control_->isVisible();
}

int CUIEdit::OnDraw(CDC* dc, const RECT* rect) {
    if (dc == nullptr || rect == nullptr) {
        return 0;
    }
    const CRect client = ClientRect();
    DrawAlphaRect(dc, &client, kFieldColour, kFieldOpacity);
    const CRect frame(0, 0, client.right - 1, client.bottom - 1);
    DrawAlphaFrameRect(dc, &frame, kFrameColour, kFieldOpacity);
    const CRect textArea(5, 1, client.right - 6, client.bottom - 2);
    const int previousMode = dc->SetBkMode(TRANSPARENT);
    dc->DrawText(text_, textArea, DT_VCENTER | DT_SINGLELINE);
    dc->SetBkMode(previousMode);
    if (visible_) {
        DrawSubObject(dc);
    }
    return 0;
}

bool CUIEdit::CreateControl() {
    CHostWindow* host = WindowFromHandle(GetWnd());
    if (host == nullptr) {
        return false;
    }
    control_ = new QLineEdit(host);
    control_->setFrame(false);
    control_->setFont(host->font());
    const CRect placed = ControlRect();
    control_->setGeometry(placed.left, placed.top, placed.Width(), placed.Height());
    return true;
}

int CUIEdit::OnMouseLUp(POINT pt) {
    if (FindSubObject(pt) == nullptr && ClientRect().PtInRect(pt) &&
        (control_ != nullptr || CreateControl())) {
        if (!control_->isVisible()) {
            control_->setText(QString::fromStdWString(text_));
            control_->show();
            control_->selectAll();
        }
        control_->setFocus(Qt::MouseFocusReason);
        SetMsgHookObject(this, 1);
    }
    return CUIObject::OnMouseLUp(pt);
}

int CUIEdit::OnSize(const RECT* client) {
    if (control_ != nullptr) {
        const CRect placed = ControlRect();
        control_->setGeometry(placed.left, placed.top, placed.Width(), placed.Height());
    }
    return CUIObject::OnSize(client);
}

int CUIEdit::OnTextChange(const wchar_t* text) {
    if (control_ != nullptr) {
        control_->setText(QString::fromWCharArray(text != nullptr ? text : L""));
    }
    return 1;
}

LRESULT CUIEdit::OnMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsEditing()) {
        return 0;
    }
    if (msg == WM_NCLBUTTONDOWN) {
        // The background and caption answer the hit test as caption: a press there is also a
        // press outside the field.
        Commit();
    } else if (msg == WM_LBUTTONDOWN) {
        CRect placed;
        GetWndRect(&placed);
        if (!placed.PtInRect(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))) {
            Commit();
        }
    } else if (msg == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) {
        Commit();
    }
    return 0;
}

void CUIEdit::Commit() {
    const std::wstring typed = control_->text().toStdWString();
    SetText(typed.c_str(), 1);
    control_->hide();
}
