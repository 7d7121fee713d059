#pragma once

// The messages and the start page of the main window's web areas (web_areas.h).

#include "ui/window_api.h"

namespace app {

// Sent synchronously by the update-check worker to the main window once the server's entries
// are in, so the web areas can be built from them.
constexpr UINT WM_WEB_AREAS_READY = 5025;

// The notification message of every web window the program opens; its record is not read.
// For the main window it means: place and show the bottom strip.
constexpr UINT WM_WEB_WINDOW_NOTICE = 7690;

// Opens the maker's start page in a stand-alone web window, when the server's "Internet" entry
// is empty, absent or "true" (any letter case). The window is not kept; it is returned for
// the program's tests, null when none opened. GUI thread.
HWND OpenStartPage();

}  // namespace app
