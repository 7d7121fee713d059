#pragma once

// The window layer's operations on window handles, under the host's names. A handle (HWND)
// names one CHostWindow (ui/host_window.h) from its creation until DestroyWindow or its
// destruction; handles are never reused, so a stale handle is simply not a window any more and
// every operation on it does nothing and answers 0 (or false, or an empty value).
//
// Threading: windows live on the application's (GUI) thread. IsWindow, SendMessage and
// PostMessage may be called from any thread; everything else only on the GUI thread.

#include <QRegion>
#include <Qt>
#include <cstdint>
#include <string>

#include "gfx/geometry.h"
#include "trellis/export.h"
#include "ui/window_messages.h"

class CDC;
class CHostWindow;
class QFont;

using UINT_PTR = std::uintptr_t;
using HDC = CDC*;
using HFONT = const QFont*;
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

// Window styles understood by CHostWindow's constructor.
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

// SetWindowPos flags.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;

// RedrawWindow flags.
constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_UPDATENOW = 0x0100;

// GetSysColor indexes.
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;

// TrackMouseEvent request.
constexpr DWORD TME_HOVER = 0x00000001;
constexpr DWORD TME_LEAVE = 0x00000002;
struct TRACKMOUSEEVENT {
    DWORD cbSize = sizeof(TRACKMOUSEEVENT);
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = 0;
};

// --- Lifetime -------------------------------------------------------------------------------

// True while hwnd names a live window. Any thread.
TRELLIS_API BOOL IsWindow(HWND hwnd);

// The window object behind hwnd; null for a dead handle. Use the object on the GUI thread only.
TRELLIS_API CHostWindow* WindowFromHandle(HWND hwnd);

// Sends WM_DESTROY, then WM_NCDESTROY, then ends the handle: its timers, mouse tracking and
// capture stop and the window hides. The object itself stays with its owner. FALSE for a dead
// handle or one already being destroyed.
TRELLIS_API BOOL DestroyWindow(HWND hwnd);

// The parent of a child window (WS_CHILD); null for a top-level window or a dead handle.
TRELLIS_API HWND GetParent(HWND hwnd);

// The control id a child window was created with; 0 for a top-level window or a dead handle.
TRELLIS_API int GetDlgCtrlID(HWND hwnd);

// The direct child of parent with control id id; null when there is none.
TRELLIS_API HWND GetDlgItem(HWND parent, int id);

// --- Window procedures and messages ---------------------------------------------------------

// The procedure messages to hwnd go to; null for a dead handle. A new window's procedure hands
// each message to the window object's own WindowProc.
TRELLIS_API WNDPROC GetWindowProc(HWND hwnd);

// Makes procedure the window's procedure and returns the previous one, which the new one
// chains to with CallWindowProc. Null (and no change) for a dead handle or a null procedure.
TRELLIS_API WNDPROC SetWindowProc(HWND hwnd, WNDPROC procedure);

// Calls procedure with the message; 0 when procedure is null.
TRELLIS_API LRESULT CallWindowProc(WNDPROC procedure, HWND hwnd, UINT msg, WPARAM wParam,
                                   LPARAM lParam);

// The default handling of a message: stores a new title (WM_SETTEXT, answering TRUE), answers
// HTCLIENT inside the client area (WM_NCHITTEST), shows the cursor for a hit code
// (WM_SETCURSOR), turns a press on the caption or a border into the system's move or size
// command once the pointer has travelled the drag distance with the button held
// (WM_NCLBUTTONDOWN), a double click on the caption into SC_MAXIMIZE or SC_RESTORE
// (WM_NCLBUTTONDBLCLK), carries out system commands (WM_SYSCOMMAND), destroys the window on
// WM_CLOSE, keeps the font (WM_SETFONT/WM_GETFONT) and small icon (WM_SETICON/WM_GETICON).
// Everything else answers 0.
TRELLIS_API LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Delivers the message to the window's procedure and returns its answer: a direct call on the
// GUI thread; from another thread a blocking queued call, which returns once the GUI thread
// has handled it (the GUI thread must not be waiting for the caller). 0 for a dead handle.
// Pointers in wParam and lParam must stay valid until the call returns.
TRELLIS_API LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Queues the message for the window's procedure and returns at once; TRUE when hwnd was a
// window. A window destroyed before the message is handled never sees it. Any thread.
TRELLIS_API BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Ends the application's event loop with exitCode once control returns to it.
TRELLIS_API void PostQuitMessage(int exitCode);

// --- Timers ---------------------------------------------------------------------------------

// Every elapse milliseconds (at least 10) the window receives WM_TIMER with wParam id. Setting
// an id again restarts it with the new period. Answers id, or 0 for a dead handle or id 0.
TRELLIS_API UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse);

// Stops timer id; FALSE when the window has no such timer.
TRELLIS_API BOOL KillTimer(HWND hwnd, UINT_PTR id);

// --- Mouse ----------------------------------------------------------------------------------

// Asks for WM_MOUSEHOVER once the pointer has rested dwHoverTime milliseconds over the client
// area (within a 4 x 4 pixel square; moving out of it starts the wait again), and for
// WM_MOUSELEAVE when it leaves the client area. Each is sent once per request. FALSE for a dead
// handle or a request without those flags.
TRELLIS_API BOOL TrackMouseEvent(TRACKMOUSEEVENT* request);

// While a window has the capture, its mouse messages skip hit testing and arrive as client
// messages, wherever the pointer is (beyond the window only while a button is held). Returns
// the previous capture window.
TRELLIS_API HWND SetCapture(HWND hwnd);
TRELLIS_API BOOL ReleaseCapture();
TRELLIS_API HWND GetCapture();

// The pointer's position in screen coordinates as of the latest mouse event a window received
// (before any, the system's pointer position).
TRELLIS_API BOOL GetCursorPos(POINT* point);

// --- Geometry -------------------------------------------------------------------------------

// (0, 0, width, height).
TRELLIS_API BOOL GetClientRect(HWND hwnd, RECT* rect);
// The window's rectangle in screen coordinates; windows have no frame, so it covers exactly
// the client area.
TRELLIS_API BOOL GetWindowRect(HWND hwnd, RECT* rect);
TRELLIS_API BOOL ScreenToClient(HWND hwnd, POINT* point);
TRELLIS_API BOOL ClientToScreen(HWND hwnd, POINT* point);

// Moves the window to (x, y) (screen coordinates; a child window's parent's client
// coordinates) and sizes it to cx x cy, leaving out what SWP_NOMOVE or SWP_NOSIZE say.
TRELLIS_API BOOL SetWindowPos(HWND hwnd, int x, int y, int cx, int cy, UINT flags);

// The work area (screen coordinates, without panels and docks) of the screen that holds point,
// or of the nearest screen. FALSE when there is no screen.
TRELLIS_API BOOL GetWorkAreaAt(POINT point, RECT* area);

// --- State ----------------------------------------------------------------------------------

// Hides, shows, minimises, maximises or restores the window (SW_*). Answers whether it was
// visible before.
TRELLIS_API BOOL ShowWindow(HWND hwnd, int command);
TRELLIS_API BOOL IsZoomed(HWND hwnd);
TRELLIS_API BOOL IsIconic(HWND hwnd);
TRELLIS_API BOOL IsWindowVisible(HWND hwnd);

// Activates the window and gives it the keyboard focus. Any popup window that is open closes
// first, which to the popup is its deactivation. Answers the window that had the focus.
TRELLIS_API HWND SetFocus(HWND hwnd);

// SetWindowText sends WM_SETTEXT (the default procedure stores it); GetWindowText reads it.
TRELLIS_API BOOL SetWindowText(HWND hwnd, const wchar_t* text);
TRELLIS_API std::wstring GetWindowText(HWND hwnd);

// --- Drawing --------------------------------------------------------------------------------

// Asks for rect (client coordinates; the whole client area when null) to be painted at the
// next pass of the event loop. Every paint erases: the window receives WM_ERASEBKGND, then
// WM_PAINT, both with a context over an off-screen copy of the whole client area.
TRELLIS_API BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);

// RDW_INVALIDATE as InvalidateRect; with RDW_UPDATENOW the window is painted before returning.
TRELLIS_API BOOL RedrawWindow(HWND hwnd, const RECT* rect, UINT flags);

// The window's shape: only the region (client coordinates) shows and takes the mouse. An empty
// region makes the whole rectangle show again.
TRELLIS_API BOOL SetWindowRgn(HWND hwnd, const QRegion& region, BOOL redraw);
// The shape set by SetWindowRgn; empty when none.
TRELLIS_API QRegion GetWindowRgn(HWND hwnd);

// Shows shape as the pointer over the window, whatever shape a child widget (a line edit) left
// on it.
TRELLIS_API BOOL SetWindowCursor(HWND hwnd, Qt::CursorShape shape);

// Makes text the window's tooltip, shown at once when the pointer is over the window (callers
// set tips when the pointer has come to rest) and again whenever it rests there; an empty text
// withdraws the tip and hides any tip showing.
TRELLIS_API BOOL SetWindowToolTip(HWND hwnd, const std::wstring& text);

// A system colour (COLOR_WINDOW, COLOR_WINDOWFRAME) as a colour reference, from the
// application's palette; black for other indexes.
TRELLIS_API COLORREF GetSysColor(int index);
