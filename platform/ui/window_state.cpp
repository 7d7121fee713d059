// Geometry, visibility, text, painting and shape of windows.

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <algorithm>

#include "ui/host_window.h"

namespace {

RECT ToRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QRect ToQRect(const RECT& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

COLORREF ColorRefOf(const QColor& colour) {
    return static_cast<COLORREF>(colour.red()) | (static_cast<COLORREF>(colour.green()) << 8) |
           (static_cast<COLORREF>(colour.blue()) << 16);
}

}  // namespace

HWND GetParent(HWND hwnd) {
    const CHostWindow* window = WindowFromHandle(hwnd);
    if (window == nullptr || !window->IsChild()) {
        return nullptr;
    }
    const auto* parent = dynamic_cast<const CHostWindow*>(window->parentWidget());
    return parent != nullptr ? parent->GetSafeHwnd() : nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    const CHostWindow* window = WindowFromHandle(hwnd);
    return window != nullptr && window->IsChild() ? static_cast<int>(window->GetDlgCtrlID()) : 0;
}

HWND GetDlgItem(HWND parent, int id) {
    const CHostWindow* window = WindowFromHandle(parent);
    if (window == nullptr) {
        return nullptr;
    }
    for (const CHostWindow* child : window->ChildWindows()) {
        if (static_cast<int>(child->GetDlgCtrlID()) == id) {
            return child->GetSafeHwnd();
        }
    }
    return nullptr;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    const CHostWindow* window = WindowFromHandle(hwnd);
    if (window == nullptr || rect == nullptr) {
        return 0;
    }
    *rect = ToRect(window->rect());
    return 1;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    const CHostWindow* window = WindowFromHandle(hwnd);
    if (window == nullptr || rect == nullptr) {
        return 0;
    }
    *rect = ToRect(QRect(window->mapToGlobal(QPoint(0, 0)), window->size()));
    return 1;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
    const CHostWindow* window = WindowFromHandle(hwnd);
    if (window == nullptr || point == nullptr) {
        return 0;
    }
    const QPoint local = window->mapFromGlobal(QPoint(point->x, point->y));
    *point = {local.x(), local.y()};
    return 1;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
    const CHostWindow* window = WindowFromHandle(hwnd);
    if (window == nullptr || point == nullptr) {
        return 0;
    }
    const QPoint global = window->mapToGlobal(QPoint(point->x, point->y));
    *point = {global.x(), global.y()};
    return 1;
}

BOOL SetWindowPos(HWND hwnd, int x, int y, int cx, int cy, UINT flags) {
    CHostWindow* window = WindowFromHandle(hwnd);
    if (window == nullptr) {
        return 0;
    }
    if (!(flags & SWP_NOMOVE)) {
        window->move(x, y);
    }
    if (!(flags & SWP_NOSIZE)) {
        window->resize(cx, cy);
    }
    return 1;
}

BOOL GetWorkAreaAt(POINT point, RECT* area) {
    const QPoint at(point.x, point.y);
    QScreen* screen = QGuiApplication::screenAt(at);
    if (screen == nullptr) {
        // Outside every screen: the one whose area lies nearest.
        int nearest = 0;
        for (QScreen* candidate : QGuiApplication::screens()) {
            const QRect r = candidate->geometry();
            const QPoint inside(std::clamp(at.x(), r.left(), r.right()),
                                std::clamp(at.y(), r.top(), r.bottom()));
            const int distance = (inside - at).manhattanLength();
            if (screen == nullptr || distance < nearest) {
                screen = candidate;
                nearest = distance;
            }
        }
    }
    if (screen == nullptr || area == nullptr) {
        return 0;
    }
    *area = ToRect(screen->availableGeometry());
    return 1;
}

BOOL ShowWindow(HWND hwnd, int command) {
    CHostWindow* window = WindowFromHandle(hwnd);
    if (window == nullptr) {
        return 0;
    }
    const BOOL wasVisible = window->isVisible() ? 1 : 0;
    switch (command) {
        case SW_HIDE:
            window->hide();
            break;
        case SW_MINIMIZE:
            window->showMinimized();
            break;
        case SW_MAXIMIZE:
            window->showMaximized();
            break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
            window->showNormal();
            break;
        default:
            window->show();
    }
    return wasVisible;
}

BOOL IsZoomed(HWND hwnd) {
    const CHostWindow* window = WindowFromHandle(hwnd);
    return window != nullptr && window->isMaximized() ? 1 : 0;
}

BOOL IsIconic(HWND hwnd) {
    const CHostWindow* window = WindowFromHandle(hwnd);
    return window != nullptr && window->isMinimized() ? 1 : 0;
}

BOOL IsWindowVisible(HWND hwnd) {
    const CHostWindow* window = WindowFromHandle(hwnd);
    return window != nullptr && window->isVisible() ? 1 : 0;
}

BOOL SetWindowText(HWND hwnd, const wchar_t* text) {
    if (!IsWindow(hwnd)) {
        return 0;
    }
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? 1 : 0;
}

std::wstring GetWindowText(HWND hwnd) {
    const CHostWindow* window = WindowFromHandle(hwnd);
    return window != nullptr ? window->windowTitle().toStdWString() : std::wstring();
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL) {
    CHostWindow* window = WindowFromHandle(hwnd);
    if (window == nullptr) {
        return 0;
    }
    if (rect != nullptr) {
        window->update(ToQRect(*rect));
    } else {
        window->update();
    }
    return 1;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, UINT flags) {
    CHostWindow* window = WindowFromHandle(hwnd);
    if (window == nullptr) {
        return 0;
    }
    if (flags & RDW_INVALIDATE) {
        InvalidateRect(hwnd, rect, (flags & RDW_ERASE) ? 1 : 0);
    }
    if (flags & RDW_UPDATENOW) {
        window->repaint();
    }
    return 1;
}

BOOL SetWindowRgn(HWND hwnd, const QRegion& region, BOOL redraw) {
    CHostWindow* window = WindowFromHandle(hwnd);
    if (window == nullptr) {
        return 0;
    }
    if (region.isEmpty()) {
        window->clearMask();
    } else {
        window->setMask(region);
    }
    if (redraw) {
        window->update();
    }
    return 1;
}

QRegion GetWindowRgn(HWND hwnd) {
    const CHostWindow* window = WindowFromHandle(hwnd);
    return window != nullptr ? window->mask() : QRegion();
}

COLORREF GetSysColor(int index) {
    const QPalette palette = QApplication::palette();
    switch (index) {
        case COLOR_WINDOW:
            return ColorRefOf(palette.color(QPalette::Base));
        case COLOR_WINDOWFRAME:
            return ColorRefOf(palette.color(QPalette::Mid));
        default:
            return 0x000000;
    }
}
