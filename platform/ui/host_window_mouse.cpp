// CHostWindow: the pointer. Hit testing decides between client messages and the caption and
// border behaviour; mouse tracking adds hover and leave messages.

#include <QMouseEvent>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "pointer_geometry.h"
#include "pointer_position.h"
#include "ui/host_window.h"

namespace {

// The pointer may wander this far from where it started resting before the wait for a hover
// starts again (half of the 4 x 4 pixel hover square).
constexpr int kHoverSlack = 2;

LPARAM PackPoint(QPoint point) {
    return MAKELPARAM(point.x(), point.y());
}

}  // namespace

LRESULT CHostWindow::PointerHitTest(QPoint local, QPoint global, UINT mouseMsg) {
    if (GetCapture() == handle_) {
        return HTCLIENT;
    }
    if (!rect().contains(local)) {
        return HTNOWHERE;
    }
    const LRESULT hit = Deliver(WM_NCHITTEST, 0, PackPoint(global));
    Deliver(WM_SETCURSOR, reinterpret_cast<WPARAM>(handle_),
            MAKELPARAM(static_cast<int>(hit), static_cast<int>(mouseMsg)));
    return hit;
}

void CHostWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    const QPoint local = event->position().toPoint();
    NotePointerPosition(global);
    if (drag_) {
        setGeometry(DraggedGeometry(drag_->startGeometry, drag_->edges,
                                    global - drag_->startPointer,
                                    minimumSize().expandedTo({1, 1})));
        return;
    }
    if (PointerHitTest(local, global, WM_MOUSEMOVE) != HTCLIENT) {
        PointerLeftClient();
        return;
    }
    PointerMovedInClient(local);
    const WPARAM keys = (event->buttons() & Qt::LeftButton) ? MK_LBUTTON : 0;
    Deliver(WM_MOUSEMOVE, keys, PackPoint(local));
}

void CHostWindow::mousePressEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    const QPoint local = event->position().toPoint();
    NotePointerPosition(global);
    if (IsPopup() && !rect().contains(local)) {
        hide();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const LRESULT hit = PointerHitTest(local, global, WM_LBUTTONDOWN);
    if (hit == HTCLIENT) {
        Deliver(WM_LBUTTONDOWN, MK_LBUTTON, PackPoint(local));
    } else if (hit != HTNOWHERE) {
        Deliver(WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), PackPoint(global));
    }
}

void CHostWindow::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    const QPoint local = event->position().toPoint();
    NotePointerPosition(global);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (drag_) {
        drag_.reset();
        return;
    }
    if (PointerHitTest(local, global, WM_LBUTTONUP) == HTCLIENT) {
        Deliver(WM_LBUTTONUP, 0, PackPoint(local));
    }
}

void CHostWindow::leaveEvent(QEvent* event) {
    PointerLeftClient();
    QWidget::leaveEvent(event);
}

void CHostWindow::PointerMovedInClient(QPoint local) {
    if (!hoverArmed_) {
        return;
    }
    const QPoint moved = local - hoverAnchor_;
    if (std::abs(moved.x()) > kHoverSlack || std::abs(moved.y()) > kHoverSlack) {
        hoverAnchor_ = local;
        hoverTimer_.start(hoverTime_, Qt::PreciseTimer, this);
    }
}

void CHostWindow::PointerLeftClient() {
    hoverTimer_.stop();
    hoverArmed_ = false;
    if (std::exchange(leaveArmed_, false)) {
        Deliver(WM_MOUSELEAVE, 0, 0);
    }
}

bool CHostWindow::TrackMouse(DWORD flags, DWORD hoverTime) {
    if (!(flags & (TME_HOVER | TME_LEAVE))) {
        return false;
    }
    if (flags & TME_LEAVE) {
        leaveArmed_ = true;
    }
    if (flags & TME_HOVER) {
        POINT pointer;
        GetCursorPos(&pointer);
        hoverArmed_ = true;
        hoverTime_ = static_cast<int>(std::max<DWORD>(hoverTime, 1));
        hoverAnchor_ = mapFromGlobal(QPoint(pointer.x, pointer.y));
        hoverTimer_.start(hoverTime_, Qt::PreciseTimer, this);
    }
    return true;
}

void CHostWindow::BeginSystemDrag(Qt::Edges edges) {
    QWindow* window = windowHandle();
    const bool handedOver =
        window != nullptr && (edges ? window->startSystemResize(edges) : window->startSystemMove());
    if (!handedOver) {
        POINT pointer;
        GetCursorPos(&pointer);
        drag_ = PointerDrag{edges, geometry(), QPoint(pointer.x, pointer.y)};
    }
}
