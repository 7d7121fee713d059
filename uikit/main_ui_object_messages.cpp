// CMainUIObject: what the window's messages do to the tree.

#include "glyphs.h"
#include "trellis/main_ui_object.h"
#include "trellis/resources.h"

namespace {

constexpr LONG kBorder = 5;
constexpr DWORD kHoverTime = 1000;

CPoint PointFrom(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

LRESULT CMainUIObject::OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    NotifyHookObject(window, msg, wParam, lParam);
    if (window == nullptr || window != GetWnd()) {
        return 0;
    }
    switch (msg) {
        case WM_SIZE: {
            const RECT client{0, 0, static_cast<LONG>(LOWORD(lParam)),
                              static_cast<LONG>(HIWORD(lParam))};
            SetRect(&client);
            ShowSizeKind(wParam);
            return 0;
        }
        case WM_ACTIVATE:
            ReDraw(nullptr);
            return 0;
        case WM_SETTEXT:
            caption_.SetText(reinterpret_cast<const wchar_t*>(lParam), 1);
            return 1;
        case WM_ERASEBKGND: {
            RECT client;
            ::GetClientRect(window, &client);
            OnDraw(reinterpret_cast<HDC>(wParam), &client);
            return 1;
        }
        case WM_SETCURSOR: {
            POINT pointer;
            GetCursorPos(&pointer);
            ScreenToClient(window, &pointer);
            return OnSetCursor(nullptr, pointer);
        }
        case WM_NOTIFY:
            if (auto* header = reinterpret_cast<NMHDR*>(lParam);
                header != nullptr && header->hwndFrom == nullptr) {
                header->hwndFrom = window;
            }
            return 0;
        case WM_NCHITTEST:
            return HitTest(lParam);
        case WM_SYSCOMMAND:
            if (lParam != UI_SYSCOMMAND_TAG) {
                return 0;
            }
            OnCaptionCommand(wParam);
            return 1;
        default:
            OnMouseMessage(window, msg, PointFrom(lParam));
            return 0;
    }
}

void CMainUIObject::OnMouseMessage(HWND window, UINT msg, POINT pt) {
    switch (msg) {
        case WM_MOUSEMOVE:
            OnWindowMouseMove(pt);
            break;
        case WM_LBUTTONDOWN:
            OnMouseLDown(pt);
            SetCapture(window);
            break;
        case WM_LBUTTONUP:
            OnMouseLUp(pt);
            ReleaseCapture();
            break;
        case WM_MOUSEHOVER:
            trackingArmed_ = 0;
            OnMouseOver(pt);
            break;
        case WM_MOUSELEAVE:
            OnWindowMouseLeave();
            break;
        default:
            break;
    }
}

LRESULT CMainUIObject::HitTest(LPARAM screenPoint) {
    const HWND window = GetWnd();
    POINT pt = PointFrom(screenPoint);
    ScreenToClient(window, &pt);
    RECT client;
    ::GetClientRect(window, &client);
    const bool left = pt.x < client.left + kBorder;
    const bool right = !left && pt.x > client.right - kBorder;
    if (pt.y < client.top + kBorder) {
        return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    }
    if (pt.y > client.bottom - kBorder) {
        return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    }
    if (left || right) {
        return left ? HTLEFT : HTRIGHT;
    }
    // The window is dragged by its background and caption; other objects get the mouse.
    const CUIObject* hit = FindSubObject(pt);
    return hit == nullptr || hit == &caption_ ? HTCAPTION : 0;
}

void CMainUIObject::OnCaptionCommand(WPARAM command) {
    const HWND window = GetWnd();
    switch (command) {
        case SC_MINIMIZE:
            ShowWindow(window, SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            // The glyph follows when the window reports its new state (WM_SIZE).
            ShowWindow(window, IsZoomed(window) ? SW_RESTORE : SW_MAXIMIZE);
            break;
        case SC_CLOSE:
            // Closing is the application's cancel command.
            SendMessageToWnd(WM_COMMAND, IDCANCEL, 0);
            break;
        case SC_RESTORE:
            ShowWindow(window, SW_RESTORE);
            break;
        default:
            break;
    }
}

void CMainUIObject::ShowSizeKind(WPARAM kind) {
    // However the window got there (its button, a double click on the caption, the window
    // manager), the glyph offers the other state; a minimised window keeps what it had.
    if (kind == SIZE_MINIMIZED) {
        return;
    }
    const ScopedResourceModule toolkit(kToolkitResourceModule);
    const CRect& glyph = kind == SIZE_MAXIMIZED ? kRestoreGlyph : kMaximizeGlyph;
    maximizeButton_.SetImage(kGlyphStripId, L"PNG", &glyph, nullptr, nullptr);
    maximizeButton_.ReDraw(nullptr);
}

void CMainUIObject::OnWindowMouseMove(POINT pt) {
    const HWND window = GetWnd();
    if (GetMouseDownObject() != nullptr) {
        SetCapture(window);
    }
    if (!trackingArmed_) {
        trackingArmed_ = 1;
        TRACKMOUSEEVENT request;
        request.dwFlags = TME_HOVER | TME_LEAVE;
        request.hwndTrack = window;
        request.dwHoverTime = kHoverTime;
        TrackMouseEvent(&request);
    }
    OnMouseMove(pt);
}

void CMainUIObject::OnWindowMouseLeave() {
    trackingArmed_ = 0;
    OnMouseOut();
    if (CUIObject* pointed = GetMouseObject()) {
        pointed->OnMouseOut();
        SetMouseObject(nullptr);
        mouseIn_ = 0;
        ReDraw(nullptr);
    }
}
