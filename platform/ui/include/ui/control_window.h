#pragma once

// CControlWindow: a child window (WS_CHILD) that hosts one Qt control, such as a list view or a
// progress bar, and keeps it covering the whole client area. The window gives the control a
// handle, a control id and a place among the parent's children, so that anchors, GetDlgItem
// and messages work on it as on any window; the control itself takes the mouse and keyboard.
//
// The window owns the control. GUI thread only, like every window.

#include <memory>

#include "ui/host_window.h"

class TRELLIS_API CControlWindow : public CHostWindow {
public:
    // Creates the child window of parent with control id id around control.
    CControlWindow(HWND parent, UINT id, std::unique_ptr<QWidget> control);

    QWidget* Control() const { return control_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* control_;  // a Qt child of this window
};
