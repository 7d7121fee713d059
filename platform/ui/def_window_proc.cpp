// The default handling of window messages.

#include <QIcon>

#include "pointer_geometry.h"
#include "ui/host_window.h"

namespace {

// A double click on the caption maximises or restores the window, through the system commands
// the window procedure sees first.
LRESULT OnNonClientDoubleClick(HWND hwnd, WPARAM hit, LPARAM point) {
    if (static_cast<LRESULT>(hit) == HTCAPTION) {
        SendMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, point);
    }
    return 0;
}

LRESULT OnHitTest(CHostWindow& window, LPARAM point) {
    const QPoint local = window.mapFromGlobal(QPoint(GET_X_LPARAM(point), GET_Y_LPARAM(point)));
    return window.rect().contains(local) ? HTCLIENT : HTNOWHERE;
}

}  // namespace

void CHostWindow::CarryOutSystemCommand(WPARAM command, LPARAM point) {
    // A move or size started by a press carries the press's point; others start where the
    // pointer is.
    POINT pointer;
    GetCursorPos(&pointer);
    const QPoint origin = (command & 0xF) != 0 ? QPoint(GET_X_LPARAM(point), GET_Y_LPARAM(point))
                                               : QPoint(pointer.x, pointer.y);
    switch (command & SC_COMMAND_MASK) {
        case SC_MINIMIZE:
            ShowWindow(handle_, SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            ShowWindow(handle_, SW_MAXIMIZE);
            break;
        case SC_RESTORE:
            ShowWindow(handle_, SW_RESTORE);
            break;
        case SC_CLOSE:
            SendMessage(handle_, WM_CLOSE, 0, 0);
            break;
        case SC_MOVE:
            BeginSystemDrag({}, origin);
            break;
        case SC_SIZE:
            BeginSystemDrag(EdgesForSizeCode(command & 0xF), origin);
            break;
    }
}

LRESULT CHostWindow::SmallIconMessage(UINT msg, WPARAM kind, LPARAM icon) {
    if (kind != ICON_SMALL) {
        return 0;
    }
    if (msg == WM_SETICON) {
        const auto* given = reinterpret_cast<HICON>(icon);
        smallIcon_ = given != nullptr ? *given : QIcon();
        return 0;
    }
    return smallIcon_.isNull() ? 0 : reinterpret_cast<LRESULT>(&smallIcon_);
}

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CHostWindow* window = WindowFromHandle(hwnd);
    if (window == nullptr) {
        return 0;
    }
    switch (msg) {
        case WM_SETTEXT: {
            const auto* text = reinterpret_cast<const wchar_t*>(lParam);
            window->setWindowTitle(QString::fromWCharArray(text != nullptr ? text : L""));
            return 1;
        }
        case WM_NCHITTEST:
            return OnHitTest(*window, lParam);
        case WM_SETCURSOR:
            SetWindowCursor(hwnd, CursorForHitCode(static_cast<LRESULT>(LOWORD(lParam))));
            return 1;
        case WM_NCLBUTTONDOWN:
            // A press on the caption or a border becomes the system's move or size command
            // once the pointer travels the drag distance with the button held.
            window->ArmDrag(static_cast<LRESULT>(wParam),
                            QPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            return 0;
        case WM_NCLBUTTONDBLCLK:
            return OnNonClientDoubleClick(hwnd, wParam, lParam);
        case WM_SYSCOMMAND:
            window->CarryOutSystemCommand(wParam, lParam);
            return 0;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_SETFONT:
            if (const auto* font = reinterpret_cast<HFONT>(wParam)) {
                window->setFont(*font);
            }
            if (lParam != 0) {
                window->update();
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(&window->font());
        case WM_SETICON:
        case WM_GETICON:
            return window->SmallIconMessage(msg, wParam, lParam);
        default:
            return 0;
    }
}
