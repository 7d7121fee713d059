#pragma once

// The window messages the toolkit and the window layer exchange, with the host's numbers and
// parameter layouts, and the records some of them point to.

#include "gfx/wintypes.h"

// Window messages.
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SETCURSOR = 0x0020;
constexpr UINT WM_SETFONT = 0x0030;
constexpr UINT WM_GETFONT = 0x0031;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_GETICON = 0x007F;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_NCHITTEST = 0x0084;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_MOUSEHOVER = 0x02A1;
constexpr UINT WM_MOUSELEAVE = 0x02A3;

// The toolkit's own messages to the window that holds its objects.
// wParam: pointer to a tagUIMessageData valid during the send; lParam: 0.
constexpr UINT WM_UI_MESSAGE = 0x19B3;
// wParam: the object's id; lParam: UI_CHANGED_TEXT, UI_CHANGED_CHECK or UI_CHANGED_SELECTION.
constexpr UINT WM_UI_CHANGED = 0x1A17;
constexpr LPARAM UI_CHANGED_SELECTION = 0;
constexpr LPARAM UI_CHANGED_TEXT = 1;
constexpr LPARAM UI_CHANGED_CHECK = 2;

// WM_COMMAND from a toolkit object: wParam = MAKEWPARAM(id, UI_COMMAND_TAG), lParam = 0.
constexpr UINT UI_COMMAND_TAG = 0xFFFE;
// WM_SYSCOMMAND from a toolkit object: wParam = its system command, lParam = this tag.
constexpr LPARAM UI_SYSCOMMAND_TAG = 0xFFFFFFFE;

// Notification codes: UIN_MOUSEMOVE in the NMHDR of WM_NOTIFY, UIN_DROPDOWN as the msg of a
// WM_UI_MESSAGE record.
constexpr UINT UIN_MOUSEMOVE = static_cast<UINT>(-177);
constexpr UINT UIN_DROPDOWN = static_cast<UINT>(-90);

// System commands.
constexpr UINT SC_MINIMIZE = 0xF020;
constexpr UINT SC_MAXIMIZE = 0xF030;
constexpr UINT SC_MOVE = 0xF010;
constexpr UINT SC_CLOSE = 0xF060;
constexpr UINT SC_MOUSEMENU = 0xF090;
constexpr UINT SC_RESTORE = 0xF120;

// WM_NOTIFY's lParam points to this header, valid during the send.
struct NMHDR {
    HWND hwndFrom = nullptr;
    WPARAM idFrom = 0;
    UINT code = 0;
};

// WM_UI_MESSAGE's wParam points to this record, valid during the send.
struct tagUIMessageData {
    UINT id = 0;
    UINT msg = 0;
    UINT wParam = 0;
    LONG lParam = 0;
};
