#include "trellis/popup_wnd.h"

#include <QFontMetrics>
#include <algorithm>

#include "trellis/drawing.h"
#include "trellis/ui_object.h"
#include "ui/host_window.h"

namespace {

constexpr COLORREF kRowColour = 0xFFFFFF;
constexpr COLORREF kPointedRowColour = 0xF5CCB7;
constexpr COLORREF kFrameColour = 0x808080;
constexpr LONG kTextInset = 5;
constexpr LONG kWidthPadding = 10;
constexpr DWORD kPopupHoverTime = 1;

}  // namespace

// The popup's window: its messages go to the CPopupWnd that owns it.
class CPopupWnd::PopupWindow final : public CHostWindow {
public:
    explicit PopupWindow(CPopupWnd& owner) : CHostWindow(WS_POPUP), owner_(owner) {}
    ~PopupWindow() override { DestroyWindow(GetSafeHwnd()); }

    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam) {
        return CHostWindow::WindowProc(msg, wParam, lParam);
    }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        return owner_.OnWindowMessage(*this, msg, wParam, lParam);
    }

private:
    CPopupWnd& owner_;
};

CPopupWnd::CPopupWnd() = default;

CPopupWnd::~CPopupWnd() {
    // The window goes first, while the rows and the callback it may still reach are alive.
    window_.reset();
}

HWND CPopupWnd::GetSafeHwnd() const {
    return window_ != nullptr ? window_->GetSafeHwnd() : nullptr;
}

int CPopupWnd::Create(const wchar_t* title, const RECT* rect, HWND parent) {
    if (window_ != nullptr) {
        return 0;
    }
    window_ = std::make_unique<PopupWindow>(*this);
    const HWND popup = window_->GetSafeHwnd();
    parent_ = parent;
    SetWindowText(popup, title);
    if (const auto font = reinterpret_cast<HFONT>(SendMessage(parent, WM_GETFONT, 0, 0))) {
        SendMessage(popup, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    }
    if (rect != nullptr) {
        SetWindowPos(popup, rect->left, rect->top, rect->right - rect->left,
                     rect->bottom - rect->top, 0);
    }
    return 1;
}

void CPopupWnd::SetInActiveProc(PopupInactiveProc callback, void* context) {
    inactiveProc_ = callback;
    inactiveContext_ = context;
}

int CPopupWnd::AddItem(const wchar_t* text) {
    items_.emplace_back(text != nullptr ? text : L"");
    FitToItems();
    return 1;
}

void CPopupWnd::ClearItems() {
    items_.clear();
}

void CPopupWnd::FitToItems() {
    if (window_ == nullptr) {
        return;
    }
    const QFontMetrics metrics(window_->font());
    int widest = 0;
    for (const std::wstring& item : items_) {
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdWString(item)));
    }
    const int width = std::max(widest + static_cast<int>(kWidthPadding), window_->width());
    const int height = static_cast<int>(items_.size()) * static_cast<int>(kRowHeight);
    SetWindowPos(window_->GetSafeHwnd(), 0, 0, width, height, SWP_NOMOVE);
}

LRESULT CPopupWnd::OnWindowMessage(PopupWindow& window, UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND popup = window.GetSafeHwnd();
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_MOUSEMOVE:
            TrackPointer(popup, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            window.Default(msg, wParam, lParam);
            RedrawWindow(popup, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            return 0;
        case WM_MOUSELEAVE:
            tracking_ = 0;
            mousePoint_ = {-1, -1};
            RedrawWindow(popup, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            return window.Default(msg, wParam, lParam);
        case WM_LBUTTONUP:
            Choose(popup, GET_Y_LPARAM(lParam));
            window.Default(msg, wParam, lParam);
            // Focusing the parent closes the popup; without a parent it closes itself.
            SetFocus(parent_);
            ShowWindow(popup, SW_HIDE);
            return 0;
        case WM_ACTIVATE: {
            const LRESULT result = window.Default(msg, wParam, lParam);
            if (LOWORD(wParam) == WA_INACTIVE) {
                ShowWindow(popup, SW_HIDE);
                if (inactiveProc_ != nullptr) {
                    inactiveProc_(WA_INACTIVE, reinterpret_cast<HWND>(lParam),
                                  static_cast<int>(HIWORD(wParam)), inactiveContext_);
                }
            }
            return result;
        }
        default:
            return window.Default(msg, wParam, lParam);
    }
}

void CPopupWnd::TrackPointer(HWND popup, POINT pt) {
    if (!tracking_) {
        TRACKMOUSEEVENT request;
        request.dwFlags = TME_HOVER | TME_LEAVE;
        request.hwndTrack = popup;
        request.dwHoverTime = kPopupHoverTime;
        tracking_ = TrackMouseEvent(&request);
    }
    mousePoint_ = pt;
}

void CPopupWnd::Choose(HWND popup, int y) {
    if (y < 0) {
        return;
    }
    const auto row = static_cast<size_t>(y / kRowHeight);
    if (row < items_.size()) {
        SetWindowText(popup, items_[row].c_str());
        selectedIndex_ = static_cast<int>(row);
    }
}

void CPopupWnd::Paint(CDC* dc) {
    if (dc == nullptr) {
        return;
    }
    const CSize size = dc->GetSize();
    const int previousMode = dc->SetBkMode(TRANSPARENT);
    const CRect client(0, 0, size.cx, size.cy);
    FillRectAlpha(dc, &client, kRowColour, 255);
    for (size_t i = 0; i < items_.size(); ++i) {
        const LONG top = static_cast<LONG>(i) * kRowHeight;
        CRect row(0, top, size.cx, top + kRowHeight);
        const bool pointed = tracking_ && row.PtInRect(mousePoint_);
        FillRectAlpha(dc, &row, pointed ? kPointedRowColour : kRowColour, 255);
        row.DeflateRect(kTextInset);
        dc->DrawText(items_[i], row, DT_VCENTER | DT_SINGLELINE);
    }
    const CRect frame(0, 0, size.cx - 1, size.cy - 1);
    CUIObject::DrawAlphaFrameRect(dc, &frame, kFrameColour, 255);
    dc->SetBkMode(previousMode);
}
