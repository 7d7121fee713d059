#pragma once

// The toolkit's own messages to the window that holds its objects, and the records they point
// to; the window messages themselves come from the window layer.

#include "gfx/wintypes.h"
#include "ui/window_messages.h"

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

// WM_UI_MESSAGE's wParam points to this record, valid during the send.
struct tagUIMessageData {
    UINT id = 0;
    UINT msg = 0;
    UINT wParam = 0;
    LONG lParam = 0;
};
