#include "progress_ctrl.h"

#include <QProgressBar>

CProgressCtrl::CProgressCtrl(HWND parent, UINT id)
    : CControlWindow(parent, id, std::make_unique<QProgressBar>()) {
    Bar()->setTextVisible(false);
    Bar()->setRange(0, 100);
    Bar()->setValue(0);
}

CProgressCtrl::~CProgressCtrl() {
    DestroyWindow(GetSafeHwnd());
}

QProgressBar* CProgressCtrl::Bar() const {
    return static_cast<QProgressBar*>(Control());
}

LRESULT CProgressCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case PBM_SETPOS: {
            const int previous = Bar()->value();
            Bar()->setValue(static_cast<int>(wParam));
            return previous;
        }
        case PBM_SETRANGE32:
            Bar()->setRange(static_cast<int>(wParam), static_cast<int>(lParam));
            return 1;
        case PBM_GETPOS:
            return Bar()->value();
        default:
            return CControlWindow::WindowProc(msg, wParam, lParam);
    }
}
