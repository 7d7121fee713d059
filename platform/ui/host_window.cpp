// CHostWindow: lifetime, the window procedure, and the Qt events that are not about the mouse.

#include "ui/host_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTimerEvent>
#include <algorithm>
#include <utility>

#include "gfx/dc.h"
#include "window_table.h"

namespace {

constexpr UINT kMinimumTimerPeriod = 10;

// The parent widget of a child window; null for every other style.
QWidget* ParentWidgetFor(DWORD style, HWND parent) {
    return (style & WS_CHILD) ? WindowFromHandle(parent) : nullptr;
}

Qt::WindowFlags FlagsForStyle(DWORD style, const QWidget* parentWidget) {
    if (parentWidget != nullptr) {
        return Qt::Widget;
    }
    const Qt::WindowFlags kind = (style & WS_POPUP) ? Qt::Popup : Qt::Window;
    return kind | Qt::FramelessWindowHint;
}

// The virtual key of a key, 0 for keys without one.
WPARAM VirtualKeyOf(int key) {
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return static_cast<WPARAM>(key);  // the same codes
    }
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VK_RETURN;
        case Qt::Key_Escape:
            return VK_ESCAPE;
        case Qt::Key_PageUp:
            return VK_PRIOR;
        case Qt::Key_PageDown:
            return VK_NEXT;
        case Qt::Key_End:
            return VK_END;
        case Qt::Key_Home:
            return VK_HOME;
        case Qt::Key_Left:
            return VK_LEFT;
        case Qt::Key_Up:
            return VK_UP;
        case Qt::Key_Right:
            return VK_RIGHT;
        case Qt::Key_Down:
            return VK_DOWN;
        default:
            return 0;
    }
}

WPARAM SizeKindOf(const QWidget& window) {
    if (window.isMaximized()) {
        return SIZE_MAXIMIZED;
    }
    return window.isMinimized() ? SIZE_MINIMIZED : SIZE_RESTORED;
}

}  // namespace

CHostWindow::CHostWindow(DWORD style, HWND parent, UINT id)
    : QWidget(ParentWidgetFor(style, parent), FlagsForStyle(style, ParentWidgetFor(style, parent))),
      handle_(RegisterWindow(this)),
      id_(id) {
    setMouseTracking(true);
    // A press that closes a popup is passed on by Press, not by Qt.
    setAttribute(Qt::WA_NoMouseReplay);
    // Every paint covers the whole client area.
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (IsChild()) {
        show();
    }
}

CHostWindow::~CHostWindow() {
    DestroyWindow(handle_);
}

LRESULT CHostWindow::OwnProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CHostWindow* window = LookUpWindow(hwnd);
    return window != nullptr ? window->WindowProc(msg, wParam, lParam) : 0;
}

LRESULT CHostWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(handle_, msg, wParam, lParam);
}

LRESULT CHostWindow::Deliver(UINT msg, WPARAM wParam, LPARAM lParam) {
    return handle_ != nullptr ? CallWindowProc(procedure_, handle_, msg, wParam, lParam) : 0;
}

void CHostWindow::Destroy() {
    destroying_ = true;
    Deliver(WM_DESTROY, 0, 0);
    DestroyChildren();
    Deliver(WM_NCDESTROY, 0, 0);
    for (const auto& [id, qtTimer] : timers_) {
        killTimer(qtTimer);
    }
    timers_.clear();
    hoverTimer_.stop();
    hoverArmed_ = leaveArmed_ = false;
    EndDrags();
    if (GetCapture() == handle_) {
        ReleaseCapture();
    }
    UnregisterWindow(handle_);
    handle_ = nullptr;
    procedure_ = &OwnProcedure;
    hide();
}

std::vector<CHostWindow*> CHostWindow::ChildWindows() const {
    std::vector<CHostWindow*> windows;
    for (QObject* child : children()) {
        auto* window = dynamic_cast<CHostWindow*>(child);
        if (window != nullptr && window->handle_ != nullptr) {
            windows.push_back(window);
        }
    }
    return windows;
}

void CHostWindow::DestroyChildren() {
    for (CHostWindow* child : ChildWindows()) {
        DestroyWindow(child->GetSafeHwnd());
    }
}

void CHostWindow::SendActivation(UINT state) {
    Deliver(WM_ACTIVATE, MAKEWPARAM(state, isMinimized() ? 1 : 0), 0);
}

bool CHostWindow::event(QEvent* event) {
    // A popup is active exactly while it shows (see showEvent and hideEvent); child windows
    // take no part in activation.
    const bool activates = !IsPopup() && !IsChild();
    if (activates && event->type() == QEvent::WindowActivate) {
        SendActivation(WA_ACTIVE);
    } else if (activates && event->type() == QEvent::WindowDeactivate) {
        EndDrags();
        SendActivation(WA_INACTIVE);
    }
    return QWidget::event(event);
}

void CHostWindow::showEvent(QShowEvent* event) {
    if (IsPopup()) {
        SendActivation(WA_ACTIVE);
    }
    QWidget::showEvent(event);
}

void CHostWindow::hideEvent(QHideEvent* event) {
    if (IsPopup()) {
        SendActivation(WA_INACTIVE);
    }
    QWidget::hideEvent(event);
}

void CHostWindow::resizeEvent(QResizeEvent* event) {
    DeliverSize(event->size());
}

void CHostWindow::changeEvent(QEvent* event) {
    // The window system may maximise or restore a window without changing its size, or report
    // the new state after the new size: the state change is a WM_SIZE of its own.
    if (event->type() == QEvent::WindowStateChange && SizeKindOf(*this) != sizeKind_) {
        DeliverSize(size());
    }
    QWidget::changeEvent(event);
}

void CHostWindow::DeliverSize(QSize size) {
    sizeKind_ = SizeKindOf(*this);
    Deliver(WM_SIZE, sizeKind_, MAKELPARAM(size.width(), size.height()));
}

void CHostWindow::keyPressEvent(QKeyEvent* event) {
    const WPARAM key = VirtualKeyOf(event->key());
    if (key == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    Deliver(WM_KEYDOWN, key, 1);
    event->accept();
}

void CHostWindow::closeEvent(QCloseEvent* event) {
    // Closing is the window procedure's decision, as for the system's own close command.
    event->ignore();
    if (IsPopup()) {
        hide();
    } else {
        Deliver(WM_SYSCOMMAND, SC_CLOSE, 0);
    }
}

void CHostWindow::paintEvent(QPaintEvent* event) {
    QImage surface(size(), QImage::Format_ARGB32_Premultiplied);
    if (surface.isNull()) {
        return;
    }
    surface.fill(palette().color(QPalette::Window));
    {
        CDC dc(&surface);
        dc.SelectFont(font());
        Deliver(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0);
        Deliver(WM_PAINT, reinterpret_cast<WPARAM>(&dc), 0);
    }
    QPainter painter(this);
    painter.drawImage(event->rect(), surface, event->rect());
}

bool CHostWindow::StartTimer(UINT_PTR id, UINT elapse) {
    StopTimer(id);
    const int qtTimer = startTimer(static_cast<int>(std::max(elapse, kMinimumTimerPeriod)));
    if (qtTimer == 0) {
        return false;
    }
    timers_[id] = qtTimer;
    return true;
}

bool CHostWindow::StopTimer(UINT_PTR id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) {
        return false;
    }
    killTimer(found->second);
    timers_.erase(found);
    return true;
}

void CHostWindow::timerEvent(QTimerEvent* event) {
    if (event->timerId() == hoverTimer_.timerId()) {
        hoverTimer_.stop();
        if (std::exchange(hoverArmed_, false)) {
            POINT pointer;
            GetCursorPos(&pointer);
            const QPoint local = mapFromGlobal(QPoint(pointer.x, pointer.y));
            Deliver(WM_MOUSEHOVER, 0, MAKELPARAM(local.x(), local.y()));
        }
        return;
    }
    for (const auto& [id, qtTimer] : timers_) {
        if (qtTimer == event->timerId()) {
            Deliver(WM_TIMER, id, 0);
            return;
        }
    }
    QWidget::timerEvent(event);
}
