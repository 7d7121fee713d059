#pragma once

// UpdateCheckWorker: the update check that runs once the main window is up. A thread of its own
// calls CheckForUpdate (caption the program title, once a day, asking) and then sends
// WM_WEB_AREAS_READY to the main window and waits for it to be handled, so the web areas are
// built from fresh server entries on the GUI thread while the window stays responsive.
//
// Create, start and destroy on the GUI thread. The destructor waits for the thread, handling
// the GUI thread's events meanwhile: the question box and the final message both need the GUI
// thread, and a send to a window already destroyed simply returns.

#include <atomic>
#include <string>
#include <thread>

#include "ui/window_api.h"

namespace app {

class UpdateCheckWorker {
public:
    UpdateCheckWorker() = default;
    ~UpdateCheckWorker();
    UpdateCheckWorker(const UpdateCheckWorker&) = delete;
    UpdateCheckWorker& operator=(const UpdateCheckWorker&) = delete;

    // Starts the check for mainWindow, with caption as the question box's title. Once only.
    void Start(HWND mainWindow, const std::wstring& caption);

    // True once the thread has returned (or when it was never started).
    bool IsDone() const { return done_.load(); }

private:
    std::atomic<bool> done_{true};
    std::thread thread_;
};

}  // namespace app
