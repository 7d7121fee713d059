#pragma once

// CProgressCtrl: a progress bar (a QProgressBar) as a child window of the window layer. It
// answers the progress-bar messages below, so a worker thread can move it with SendMessage.
//
// Owned by its creator; messages may come from any thread through SendMessage, everything else
// on the GUI thread.

#include "ui/control_window.h"

class QProgressBar;

// wParam: the position. Answers the previous position.
constexpr UINT PBM_SETPOS = WM_USER + 2;
// wParam: the lowest, lParam: the highest position. Answers 1.
constexpr UINT PBM_SETRANGE32 = WM_USER + 6;
// Answers the current position.
constexpr UINT PBM_GETPOS = WM_USER + 8;

class CProgressCtrl : public CControlWindow {
public:
    CProgressCtrl(HWND parent, UINT id);
    ~CProgressCtrl() override;

    QProgressBar* Bar() const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
