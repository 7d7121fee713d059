#pragma once

// The window messages of the window layer, with the host's numbers and parameter layouts, and
// the codes and records their parameters carry.

#include "gfx/wintypes.h"

// Messages. Points in lParam are MAKELPARAM(x, y): client coordinates for the mouse messages,
// screen coordinates for WM_NCHITTEST and WM_NCLBUTTONDOWN.
constexpr UINT WM_DESTROY = 0x0002;        // the window is going; its handle still works
constexpr UINT WM_SIZE = 0x0005;           // wParam SIZE_*, lParam MAKELPARAM(width, height)
constexpr UINT WM_ACTIVATE = 0x0006;       // wParam MAKEWPARAM(WA_*, minimised), lParam 0
constexpr UINT WM_SETTEXT = 0x000C;        // lParam: const wchar_t*, valid during the send
constexpr UINT WM_PAINT = 0x000F;          // wParam: HDC of the client area, after erasing
constexpr UINT WM_CLOSE = 0x0010;          // a request to close; the default destroys
constexpr UINT WM_ERASEBKGND = 0x0014;     // wParam: HDC of the client area
constexpr UINT WM_SETCURSOR = 0x0020;      // wParam: HWND, lParam MAKELPARAM(hit code, msg)
constexpr UINT WM_SETFONT = 0x0030;        // wParam: HFONT (copied), lParam: redraw
constexpr UINT WM_GETFONT = 0x0031;        // answers the window's HFONT
constexpr UINT WM_NOTIFY = 0x004E;         // wParam id, lParam: NMHDR*
constexpr UINT WM_GETICON = 0x007F;        // wParam ICON_SMALL; answers an HICON or 0
constexpr UINT WM_SETICON = 0x0080;        // wParam ICON_SMALL, lParam: HICON (copied)
constexpr UINT WM_NCDESTROY = 0x0082;      // the last message a window receives
constexpr UINT WM_NCHITTEST = 0x0084;      // answers a hit code for the screen point
constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;  // wParam hit code; a press outside the client area
constexpr UINT WM_COMMAND = 0x0111;        // wParam MAKEWPARAM(id, code), lParam 0
constexpr UINT WM_SYSCOMMAND = 0x0112;     // wParam SC_*, lParam the screen point or a tag
constexpr UINT WM_TIMER = 0x0113;          // wParam the timer id
constexpr UINT WM_MOUSEMOVE = 0x0200;      // wParam MK_* keys held
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_MOUSEHOVER = 0x02A1;  // the pointer rested (TrackMouseEvent)
constexpr UINT WM_MOUSELEAVE = 0x02A3;  // the pointer left the client area
constexpr UINT WM_USER = 0x0400;        // first number free for a window's own messages

// Double clicks outside the client area, keys and the wheel.
constexpr UINT WM_NCLBUTTONDBLCLK = 0x00A3;  // wParam hit code, lParam the screen point
constexpr UINT WM_KEYDOWN = 0x0100;          // wParam VK_*, lParam repeat count (1)
constexpr UINT WM_MOUSEWHEEL = 0x020A;       // wParam MAKEWPARAM(MK_*, delta), lParam the
                                             // screen point; delta 120 a notch, + away from you

// Hit codes answered to WM_NCHITTEST.
constexpr LRESULT HTNOWHERE = 0;
constexpr LRESULT HTCLIENT = 1;
constexpr LRESULT HTCAPTION = 2;
constexpr LRESULT HTLEFT = 10;
constexpr LRESULT HTRIGHT = 11;
constexpr LRESULT HTTOP = 12;
constexpr LRESULT HTTOPLEFT = 13;
constexpr LRESULT HTTOPRIGHT = 14;
constexpr LRESULT HTBOTTOM = 15;
constexpr LRESULT HTBOTTOMLEFT = 16;
constexpr LRESULT HTBOTTOMRIGHT = 17;

// System commands. SC_SIZE carries the edge being dragged in its low four bits (WMSZ_*, which
// is the border's hit code minus 9); SC_MOVE started by a press carries HTCAPTION there.
constexpr UINT SC_SIZE = 0xF000;
constexpr UINT SC_MOVE = 0xF010;
constexpr UINT SC_MINIMIZE = 0xF020;
constexpr UINT SC_MAXIMIZE = 0xF030;
constexpr UINT SC_CLOSE = 0xF060;
constexpr UINT SC_MOUSEMENU = 0xF090;
constexpr UINT SC_RESTORE = 0xF120;
constexpr UINT SC_COMMAND_MASK = 0xFFF0;

// WM_ACTIVATE states, WM_SIZE kinds, mouse key flags, icon kinds.
constexpr UINT WA_INACTIVE = 0;
constexpr UINT WA_ACTIVE = 1;
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM ICON_SMALL = 0;

// Virtual keys of WM_KEYDOWN: these, and the letters and digits as their upper-case ASCII codes.
constexpr WPARAM VK_RETURN = 0x0D;
constexpr WPARAM VK_ESCAPE = 0x1B;
constexpr WPARAM VK_PRIOR = 0x21;  // Page Up
constexpr WPARAM VK_NEXT = 0x22;   // Page Down
constexpr WPARAM VK_END = 0x23;
constexpr WPARAM VK_HOME = 0x24;
constexpr WPARAM VK_LEFT = 0x25;
constexpr WPARAM VK_UP = 0x26;
constexpr WPARAM VK_RIGHT = 0x27;
constexpr WPARAM VK_DOWN = 0x28;

// Command ids of the standard buttons.
constexpr UINT IDOK = 1;
constexpr UINT IDCANCEL = 2;

// WM_NOTIFY's lParam points to this header, valid during the send.
struct NMHDR {
    HWND hwndFrom = nullptr;
    WPARAM idFrom = 0;
    UINT code = 0;
};

constexpr LPARAM MAKELPARAM(int low, int high) {
    return static_cast<LPARAM>((static_cast<std::uint32_t>(low) & 0xFFFFu) |
                               ((static_cast<std::uint32_t>(high) & 0xFFFFu) << 16));
}

// The signed x and y of a point packed by MAKELPARAM.
constexpr int GET_X_LPARAM(LPARAM value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
}
constexpr int GET_Y_LPARAM(LPARAM value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>((value >> 16) & 0xFFFF));
}
