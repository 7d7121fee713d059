#pragma once

// CHostWindow, the top-level window of the window layer: a frameless QWidget with a handle
// (HWND) and a window procedure. Qt's events reach the procedure as the host's window
// messages:
//
//   resize                        WM_SIZE
//   activation (popups: show/hide) WM_ACTIVATE
//   paint                         WM_ERASEBKGND, then WM_PAINT, on an off-screen context
//   pointer move                  WM_NCHITTEST, WM_SETCURSOR, then WM_MOUSEMOVE inside the
//                                 client area or WM_MOUSELEAVE when leaving it
//   left press / release          the same hit test, then WM_LBUTTONDOWN / WM_LBUTTONUP, or
//                                 WM_NCLBUTTONDOWN when the hit code is not HTCLIENT
//   left double click             a second WM_LBUTTONDOWN, or WM_NCLBUTTONDBLCLK outside the
//                                 client area
//   wheel, keys                   WM_MOUSEWHEEL, WM_KEYDOWN (keys with a VK_* code)
//   maximise, minimise, restore   WM_SIZE with the new kind, also when the size stays
//   close request (window manager) WM_SYSCOMMAND SC_CLOSE with lParam 0
//   timers, mouse tracking        WM_TIMER, WM_MOUSEHOVER, WM_MOUSELEAVE
//
// The answer to WM_NCHITTEST decides what a press does: once the pointer has travelled the
// platform's drag distance with the button still held, HTCAPTION moves the window and the eight
// border codes resize it, through the window system where it can, else by following the pointer
// until the button is released (or a release is seen anywhere, or the window loses the focus).
// A press released before that is only a click. A double click on the caption maximises or
// restores the window. Windows are created hidden; show them with show() or
// ShowWindow. A WS_POPUP window is a Qt popup: a press outside it, or activating another window,
// hides it, and hiding is its deactivation. The press outside then goes on to what lies under
// the pointer, as a press of its own (unless PassesOnPressOutside says otherwise).
//
// A WS_CHILD window lives inside its parent window's client area, carries a control id and
// shows whenever its parent does until ShowWindow hides it. It receives no activation
// messages, and it is destroyed (WM_DESTROY, WM_NCDESTROY) before its parent's own destruction
// messages. A child window asked for without a live parent is an ordinary top-level window.
//
// The object is owned by its creator. Its handle ends at DestroyWindow or at destruction,
// whichever comes first; a window object cannot be created again. Delete a window from inside
// its own messages only with deleteLater(). GUI thread only.

#include <QBasicTimer>
#include <QIcon>
#include <QWidget>
#include <map>
#include <optional>
#include <vector>

#include "trellis/export.h"
#include "ui/window_api.h"

class TRELLIS_API CHostWindow : public QWidget {
public:
    explicit CHostWindow(DWORD style = WS_OVERLAPPED, HWND parent = nullptr, UINT id = 0);
    ~CHostWindow() override;

    CHostWindow(const CHostWindow&) = delete;
    CHostWindow& operator=(const CHostWindow&) = delete;

    // The window's handle; null once it is destroyed.
    HWND GetSafeHwnd() const { return handle_; }

    bool IsPopup() const { return windowType() == Qt::Popup; }
    bool IsChild() const { return !isWindow(); }

    // The control id given at creation.
    UINT GetDlgCtrlID() const { return id_; }

    // The live child windows directly inside this one, in creation order.
    std::vector<CHostWindow*> ChildWindows() const;

protected:
    // The window's own handling of a message, reached through its original procedure. The
    // default hands everything to DefWindowProc. During destruction only this base version
    // runs: a derived window that wants its WM_DESTROY calls DestroyWindow in its destructor.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // Sends the message to this window's current procedure; 0 once the window is destroyed.
    LRESULT Deliver(UINT msg, WPARAM wParam, LPARAM lParam);

    // Whether a press outside this popup at global (screen coordinates), which closes it, also
    // reaches what lies there. The default: always.
    virtual bool PassesOnPressOutside(QPoint global) const;

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend BOOL DestroyWindow(HWND);
    friend WNDPROC GetWindowProc(HWND);
    friend WNDPROC SetWindowProc(HWND, WNDPROC);
    friend LRESULT DefWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend UINT_PTR SetTimer(HWND, UINT_PTR, UINT);
    friend BOOL KillTimer(HWND, UINT_PTR);
    friend BOOL TrackMouseEvent(TRACKMOUSEEVENT*);

    // A move (no edges) or resize that follows the pointer because the window system would
    // not take it over.
    struct PointerDrag {
        Qt::Edges edges;
        QRect startGeometry;
        QPoint startPointer;
    };

    // A press on the caption or a border, waiting for the pointer to travel the drag distance.
    struct PendingDrag {
        LRESULT hit;
        QPoint pressPointer;
    };

    static LRESULT OwnProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    void Destroy();
    void DestroyChildren();
    void SendActivation(UINT state);
    bool StartTimer(UINT_PTR id, UINT elapse);
    bool StopTimer(UINT_PTR id);
    bool TrackMouse(DWORD flags, DWORD hoverTime);
    void ArmDrag(LRESULT hit, QPoint pressPointer);
    void StartDragPastDistance(QPoint global);
    void BeginSystemDrag(Qt::Edges edges, QPoint origin);
    void EndDrags();
    void CarryOutSystemCommand(WPARAM command, LPARAM point);
    void Press(QMouseEvent* event, UINT nonClientMsg);
    void DeliverSize(QSize size);
    LRESULT SmallIconMessage(UINT msg, WPARAM kind, LPARAM icon);
    LRESULT PointerHitTest(QPoint local, QPoint global, UINT mouseMsg);
    void PointerMovedInClient(QPoint local);
    void PointerLeftClient();

    HWND handle_ = nullptr;
    UINT id_ = 0;
    bool destroying_ = false;
    WNDPROC procedure_ = &OwnProcedure;
    std::map<UINT_PTR, int> timers_;  // our id -> Qt's timer id
    QIcon smallIcon_;

    // Mouse tracking (TrackMouseEvent).
    bool hoverArmed_ = false;
    bool leaveArmed_ = false;
    int hoverTime_ = 0;
    QPoint hoverAnchor_;
    QBasicTimer hoverTimer_;

    std::optional<PendingDrag> pendingDrag_;
    std::optional<PointerDrag> drag_;
    WPARAM sizeKind_ = SIZE_RESTORED;  // of the latest WM_SIZE
};
