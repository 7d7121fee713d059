#include "ui/control_window.h"

#include <QResizeEvent>

CControlWindow::CControlWindow(HWND parent, UINT id, std::unique_ptr<QWidget> control)
    : CHostWindow(WS_CHILD, parent, id), control_(control.release()) {
    control_->setParent(this);
    control_->setGeometry(rect());
    control_->show();
}

void CControlWindow::resizeEvent(QResizeEvent* event) {
    control_->setGeometry(QRect(QPoint(0, 0), event->size()));
    CHostWindow::resizeEvent(event);
}
