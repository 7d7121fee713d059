#pragma once

// The process's table of live window handles. Handles are numbers handed out in increasing
// order and never reused; they are never dereferenced. Safe from any thread.

#include "gfx/wintypes.h"

class CHostWindow;

// A new handle for window.
HWND RegisterWindow(CHostWindow* window);

// Ends handle: later look-ups answer null.
void UnregisterWindow(HWND handle);

// The window behind handle, or null.
CHostWindow* LookUpWindow(HWND handle);
