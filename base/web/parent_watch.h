#pragma once

// Watches a window of the window layer for its end. DestroyWindow ends the handle and then
// hides the window, and a window object that is deleted is destroyed first, so a hide after the
// handle has ended is the end. (A window destroyed while already hidden is seen only when its
// object is deleted; Qt deletes the widgets it holds then anyway.) GUI thread only.

#include <QObject>
#include <functional>

#include "ui/window_api.h"

namespace basalt {

class ParentWatch final : public QObject {
public:
    // Calls ended once, on the GUI thread, when window ends. The watch is a child of owner.
    ParentWatch(HWND window, QObject* owner, std::function<void()> ended);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HWND window_;
    std::function<void()> ended_;
};

}  // namespace basalt
