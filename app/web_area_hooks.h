#pragma once

// The two places where the main window hands over to its web areas: the start page opened at
// start-up and the update-check worker whose end (message WM_WEB_AREAS_READY) builds the banner,
// the bottom strip or the news ticker. Both are deliberately empty in this build: the web
// areas are a separate piece of work that fills these functions and handles the message.

#include "ui/window_api.h"

namespace app {

// Sent synchronously by the update-check worker to the main window once the server's entries
// are in, so the web areas can be built from them.
constexpr UINT WM_WEB_AREAS_READY = 5025;

// Opens the start page when the dictionary's "Internet" entry allows it. Called once, after
// the main window's layout. Currently opens nothing.
void OpenStartPage();

// Starts the update-check worker for mainWindow, which ends by sending WM_WEB_AREAS_READY.
// Called right after OpenStartPage. Currently starts nothing, so the message never comes.
void StartUpdateCheckWorker(HWND mainWindow);

// The main window's answer to WM_WEB_AREAS_READY: builds the web areas. Currently does
// nothing.
void OnWebAreasReady(HWND mainWindow);

}  // namespace app
