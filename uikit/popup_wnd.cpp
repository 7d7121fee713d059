#include "trellis/popup_wnd.h"

#include <QFontMetrics>
#include <algorithm>
#include <cstdint>

#include "drop_down_place.h"
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
constexpr COLORREF kScrollMarkColour = 0xA0A0A0;
constexpr LONG kScrollMarkWidth = 3;
constexpr int kWheelNotch = 120;
constexpr int kRowsPerNotch = 3;

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

    bool PassesOnPressOutside(QPoint global) const override {
        return owner_.PassesOnPressAt(global);
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
    hotRow_ = -1;
    topRow_ = 0;
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

int CPopupWnd::DropDown(const RECT* anchor, int selected) {
    if (window_ == nullptr || anchor == nullptr) {
        return 0;
    }
    anchor_ = *anchor;
    RECT work;
    const POINT centre{(anchor->left + anchor->right) / 2, (anchor->top + anchor->bottom) / 2};
    if (!GetWorkAreaAt(centre, &work)) {
        work = CRect(anchor->left, anchor->bottom, anchor->right, anchor->bottom + (1 << 20));
    }
    const LONG width = std::max<LONG>(window_->width(), anchor->right - anchor->left);
    const CRect placed = PlaceDropDown(*anchor, width, kRowHeight, GetItemCount(), work);
    SetWindowPos(window_->GetSafeHwnd(), placed.left, placed.top, placed.Width(), placed.Height(),
                 0);
    selectedIndex_ = selected >= 0 && selected < GetItemCount() ? selected : -1;
    tracking_ = 0;
    topRow_ = 0;
    Highlight(selectedIndex_);
    ShowWindow(window_->GetSafeHwnd(), SW_SHOW);
    return 1;
}

bool CPopupWnd::PassesOnPressAt(QPoint global) const {
    return !CRect(anchor_).PtInRect(CPoint(global.x(), global.y()));
}

LRESULT CPopupWnd::OnWindowMessage(PopupWindow& window, UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND popup = window.GetSafeHwnd();
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_KEYDOWN:
            OnKey(popup, wParam);
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
            return OnPointerMessage(window, msg, wParam, lParam);
    }
}

LRESULT CPopupWnd::OnPointerMessage(PopupWindow& window, UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND popup = window.GetSafeHwnd();
    switch (msg) {
        case WM_MOUSEMOVE:
            TrackPointer(popup);
            Highlight(RowAt(GET_Y_LPARAM(lParam)));
            window.Default(msg, wParam, lParam);
            return 0;
        case WM_MOUSELEAVE:
            tracking_ = 0;
            Highlight(-1);
            return window.Default(msg, wParam, lParam);
        case WM_MOUSEWHEEL:
            ScrollBy(-static_cast<std::int16_t>(HIWORD(wParam)) / kWheelNotch * kRowsPerNotch);
            return 0;
        case WM_LBUTTONUP:
            window.Default(msg, wParam, lParam);
            Choose(popup, RowAt(GET_Y_LPARAM(lParam)));
            return 0;
        default:
            return window.Default(msg, wParam, lParam);
    }
}

void CPopupWnd::TrackPointer(HWND popup) {
    if (!tracking_) {
        TRACKMOUSEEVENT request;
        request.dwFlags = TME_HOVER | TME_LEAVE;
        request.hwndTrack = popup;
        request.dwHoverTime = kPopupHoverTime;
        tracking_ = TrackMouseEvent(&request);
    }
}

int CPopupWnd::RowAt(int y) const {
    if (y < 0) {
        return -1;
    }
    const int row = topRow_ + y / static_cast<int>(kRowHeight);
    return row < GetItemCount() ? row : -1;
}

int CPopupWnd::VisibleRows() const {
    const int height = window_ != nullptr ? window_->height() : 0;
    return std::max(1, height / static_cast<int>(kRowHeight));
}

void CPopupWnd::Highlight(int row) {
    hotRow_ = row;
    if (row >= 0) {
        // Scrolled so that the row shows.
        topRow_ = std::clamp(topRow_, row - VisibleRows() + 1, row);
    }
    ScrollBy(0);
}

void CPopupWnd::ScrollBy(int rows) {
    const int lastTop = std::max(0, GetItemCount() - VisibleRows());
    topRow_ = std::clamp(topRow_ + rows, 0, lastTop);
    RedrawWindow(GetSafeHwnd(), nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CPopupWnd::OnKey(HWND popup, WPARAM key) {
    const int last = GetItemCount() - 1;
    const int page = VisibleRows();
    const int from = hotRow_;
    switch (key) {
        case VK_UP:
            Highlight(from < 0 ? last : std::max(0, from - 1));
            break;
        case VK_DOWN:
            Highlight(std::min(last, from + 1));
            break;
        case VK_PRIOR:
            Highlight(std::max(0, from - page));
            break;
        case VK_NEXT:
            Highlight(std::min(last, std::max(from, 0) + page));
            break;
        case VK_HOME:
            Highlight(last >= 0 ? 0 : -1);
            break;
        case VK_END:
            Highlight(last);
            break;
        case VK_RETURN:
            Choose(popup, hotRow_);
            break;
        case VK_ESCAPE:
            Close(popup);
            break;
        default:
            break;
    }
}

void CPopupWnd::Choose(HWND popup, int row) {
    if (row >= 0 && row < GetItemCount()) {
        SetWindowText(popup, items_[static_cast<size_t>(row)].c_str());
        selectedIndex_ = row;
    }
    Close(popup);
}

void CPopupWnd::Close(HWND popup) {
    // Focusing the parent closes the popup; without a parent it closes itself.
    SetFocus(parent_);
    ShowWindow(popup, SW_HIDE);
}

void CPopupWnd::Paint(CDC* dc) {
    if (dc == nullptr) {
        return;
    }
    const CSize size = dc->GetSize();
    const int previousMode = dc->SetBkMode(TRANSPARENT);
    const CRect client(0, 0, size.cx, size.cy);
    FillRectAlpha(dc, &client, kRowColour, 255);
    for (int i = topRow_; i < GetItemCount(); ++i) {
        const LONG top = static_cast<LONG>(i - topRow_) * kRowHeight;
        CRect row(0, top, size.cx, top + kRowHeight);
        FillRectAlpha(dc, &row, i == hotRow_ ? kPointedRowColour : kRowColour, 255);
        row.DeflateRect(kTextInset);
        dc->DrawText(items_[static_cast<size_t>(i)], row, DT_VCENTER | DT_SINGLELINE);
    }
    PaintScrollMark(dc, client);
    const CRect frame(0, 0, size.cx - 1, size.cy - 1);
    CUIObject::DrawAlphaFrameRect(dc, &frame, kFrameColour, 255);
    dc->SetBkMode(previousMode);
}

void CPopupWnd::PaintScrollMark(CDC* dc, const CRect& client) {
    // A thin bar along the right edge shows which part of a scrolling list is in view.
    const int count = GetItemCount();
    const int visible = VisibleRows();
    if (count <= visible || client.Height() <= 0) {
        return;
    }
    const LONG top = client.Height() * topRow_ / count;
    const LONG bottom = client.Height() * (topRow_ + visible) / count;
    const CRect mark(client.right - 1 - kScrollMarkWidth, top, client.right - 1, bottom);
    FillRectAlpha(dc, &mark, kScrollMarkColour, 255);
}
