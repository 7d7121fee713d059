// CHostWindow: the pointer. Hit testing decides between client messages and the caption and
// border behaviour; mouse tracking adds hover and leave messages.

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <cstdint>
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

// Set when a press closed a popup and went no further: its release belongs to nobody.
bool& ReleaseToSwallow() {
    static bool swallow = false;
    return swallow;
}

// Posts a copy of event to window, through Qt's own delivery (it reaches child widgets too).
void Repost(const QMouseEvent& event, QWindow* window) {
    const QPointF local = window->mapFromGlobal(event.globalPosition());
    auto* copy = new QMouseEvent(event.type(), local, local, event.globalPosition(), event.button(),
                                 event.buttons(), event.modifiers(), event.pointingDevice());
    QCoreApplication::postEvent(window, copy);
}

// After a press that closed a popup went on to another window, the window system may still
// deliver its release to the popup's window (hidden by then): this sends it where the press went.
// A later press (the release was lost) ends the following.
class ReleaseFollower final : public QObject {
public:
    void Follow(QWindow* target) {
        target_ = target;
        passedPressDue_ = true;
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress && watched->isWindowType()) {
            if (!std::exchange(passedPressDue_, false)) {
                Stop();
            }
            return false;
        }
        if (event->type() != QEvent::MouseButtonRelease || target_ == nullptr) {
            return false;
        }
        const QPointer<QWindow> target = Stop();
        if (watched == target || !watched->isWindowType()) {
            return false;  // it arrived where it belongs
        }
        Repost(*static_cast<QMouseEvent*>(event), target);
        return true;
    }

private:
    QPointer<QWindow> Stop() {
        QCoreApplication::instance()->removeEventFilter(this);
        return std::exchange(target_, nullptr);
    }

    QPointer<QWindow> target_;
    bool passedPressDue_ = false;
};

// Gives the press to the window now under the pointer; its release will follow.
void PassOnPress(const QMouseEvent& event) {
    static ReleaseFollower follower;
    QWidget* below = QApplication::widgetAt(event.globalPosition().toPoint());
    QWindow* window = below != nullptr ? below->window()->windowHandle() : nullptr;
    if (window != nullptr) {
        Repost(event, window);
        follower.Follow(window);
    }
}

}  // namespace

bool CHostWindow::PassesOnPressOutside(QPoint) const {
    return true;
}

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
    if (!(event->buttons() & Qt::LeftButton)) {
        EndDrags();  // the release went elsewhere
    }
    if (drag_) {
        setGeometry(DraggedGeometry(drag_->startGeometry, drag_->edges,
                                    global - drag_->startPointer,
                                    minimumSize().expandedTo({1, 1})));
        return;
    }
    if (pendingDrag_) {
        StartDragPastDistance(global);
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
    Press(event, WM_NCLBUTTONDOWN);
}

void CHostWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    // Inside the client area the second click is a second press, as for windows without double
    // clicks; outside it, the double click is a message of its own.
    Press(event, WM_NCLBUTTONDBLCLK);
}

void CHostWindow::Press(QMouseEvent* event, UINT nonClientMsg) {
    const QPoint global = event->globalPosition().toPoint();
    const QPoint local = event->position().toPoint();
    NotePointerPosition(global);
    EndDrags();
    ReleaseToSwallow() = false;
    if (IsPopup() && !rect().contains(local)) {
        hide();
        if (PassesOnPressOutside(global)) {
            PassOnPress(*event);
        } else {
            ReleaseToSwallow() = true;
        }
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const LRESULT hit = PointerHitTest(local, global, WM_LBUTTONDOWN);
    if (hit == HTCLIENT) {
        Deliver(WM_LBUTTONDOWN, MK_LBUTTON, PackPoint(local));
    } else if (hit != HTNOWHERE) {
        Deliver(nonClientMsg, static_cast<WPARAM>(hit), PackPoint(global));
    }
}

void CHostWindow::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    const QPoint local = event->position().toPoint();
    NotePointerPosition(global);
    if (event->button() != Qt::LeftButton || std::exchange(ReleaseToSwallow(), false)) {
        return;
    }
    const bool dragged = drag_.has_value();
    const bool pressedOutsideClient = pendingDrag_.has_value();
    EndDrags();
    if (dragged || pressedOutsideClient) {
        return;
    }
    if (PointerHitTest(local, global, WM_LBUTTONUP) == HTCLIENT) {
        Deliver(WM_LBUTTONUP, 0, PackPoint(local));
    }
}

void CHostWindow::wheelEvent(QWheelEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    NotePointerPosition(global);
    const UINT keys = (event->buttons() & Qt::LeftButton) ? MK_LBUTTON : 0;
    const auto delta = static_cast<std::int16_t>(event->angleDelta().y());
    Deliver(WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<std::uint16_t>(delta)), PackPoint(global));
    event->accept();
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

void CHostWindow::ArmDrag(LRESULT hit, QPoint pressPointer) {
    if (hit == HTCAPTION || EdgesForHitCode(hit)) {
        pendingDrag_ = PendingDrag{hit, pressPointer};
    }
}

void CHostWindow::StartDragPastDistance(QPoint global) {
    if ((global - pendingDrag_->pressPointer).manhattanLength() <
        QApplication::startDragDistance()) {
        return;
    }
    const PendingDrag pending = *std::exchange(pendingDrag_, std::nullopt);
    const WPARAM command = pending.hit == HTCAPTION
                               ? SC_MOVE | HTCAPTION
                               : SC_SIZE | static_cast<WPARAM>(pending.hit - HTLEFT + 1);
    SendMessage(handle_, WM_SYSCOMMAND, command, PackPoint(pending.pressPointer));
}

void CHostWindow::BeginSystemDrag(Qt::Edges edges, QPoint origin) {
    EndDrags();
    QWindow* window = windowHandle();
    const bool handedOver =
        window != nullptr && (edges ? window->startSystemResize(edges) : window->startSystemMove());
    if (!handedOver) {
        drag_ = PointerDrag{edges, geometry(), origin};
        // Whichever window sees the release, the drag ends with it.
        QCoreApplication::instance()->installEventFilter(this);
    }
}

void CHostWindow::EndDrags() {
    pendingDrag_.reset();
    if (std::exchange(drag_, std::nullopt)) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

bool CHostWindow::eventFilter(QObject* watched, QEvent* event) {
    // This window's own release ends the drag in mouseReleaseEvent.
    const bool elsewhere = watched != this && watched != windowHandle();
    if (drag_ && elsewhere && event->type() == QEvent::MouseButtonRelease) {
        EndDrags();
    }
    return QWidget::eventFilter(watched, event);
}
