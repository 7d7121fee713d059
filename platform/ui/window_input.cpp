// Pointer, capture, focus, cursor and tooltip of the window layer.

#include <QApplication>
#include <QCursor>
#include <QToolTip>
#include <QWindow>
#include <optional>
#include <utility>

#include "pointer_position.h"
#include "ui/host_window.h"

namespace {

std::optional<QPoint>& LastPointer() {
    static std::optional<QPoint> pointer;
    return pointer;
}

HWND& CaptureWindow() {
    static HWND capture = nullptr;
    return capture;
}

}  // namespace

void NotePointerPosition(QPoint global) {
    LastPointer() = global;
}

BOOL GetCursorPos(POINT* point) {
    if (point == nullptr) {
        return 0;
    }
    const QPoint position = LastPointer().value_or(QCursor::pos());
    *point = {position.x(), position.y()};
    return 1;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* request) {
    if (request == nullptr) {
        return 0;
    }
    CHostWindow* window = WindowFromHandle(request->hwndTrack);
    return window != nullptr && window->TrackMouse(request->dwFlags, request->dwHoverTime) ? 1 : 0;
}

HWND SetCapture(HWND hwnd) {
    return std::exchange(CaptureWindow(), IsWindow(hwnd) ? hwnd : nullptr);
}

BOOL ReleaseCapture() {
    CaptureWindow() = nullptr;
    return 1;
}

HWND GetCapture() {
    if (!IsWindow(CaptureWindow())) {
        CaptureWindow() = nullptr;
    }
    return CaptureWindow();
}

HWND SetFocus(HWND hwnd) {
    CHostWindow* window = WindowFromHandle(hwnd);
    if (window == nullptr) {
        return nullptr;
    }
    auto* previous = dynamic_cast<CHostWindow*>(QApplication::activeWindow());
    while (QWidget* popup = QApplication::activePopupWidget()) {
        popup->hide();
    }
    window->activateWindow();
    window->setFocus(Qt::OtherFocusReason);
    return previous != nullptr ? previous->GetSafeHwnd() : nullptr;
}

BOOL SetWindowCursor(HWND hwnd, Qt::CursorShape shape) {
    CHostWindow* window = WindowFromHandle(hwnd);
    if (window == nullptr) {
        return 0;
    }
    // A child widget under the pointer (a line edit showing its text cursor) changes the native
    // window's shape behind the window's back, so the window's own cursor cannot tell what
    // shows: set both, every time.
    window->setCursor(shape);
    QWidget* host = window->internalWinId() != 0 ? window : window->nativeParentWidget();
    if (QWindow* native = host != nullptr ? host->windowHandle() : nullptr) {
        native->setCursor(shape);
    }
    return 1;
}

BOOL SetWindowToolTip(HWND hwnd, const std::wstring& text) {
    CHostWindow* window = WindowFromHandle(hwnd);
    if (window == nullptr) {
        return 0;
    }
    const QString tip = QString::fromStdWString(text);
    window->setToolTip(tip);
    QToolTip::hideText();
    POINT pointer;
    GetCursorPos(&pointer);
    const QPoint global(pointer.x, pointer.y);
    if (!tip.isEmpty() && window->isVisible() &&
        window->rect().contains(window->mapFromGlobal(global))) {
        QToolTip::showText(global, tip, window);
    }
    return 1;
}
