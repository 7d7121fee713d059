// The window interface of CWndAnchor over Qt widgets: a handle is a QWidget*.

#include <QWidget>

#include "trellis/wnd_anchor.h"

namespace {

QWidget* AsWidget(AnchorWnd window) {
    return static_cast<QWidget*>(window);
}

class QtWidgetAnchorWindows final : public CAnchorWindows {
public:
    AnchorWnd GetParent(AnchorWnd window) override {
        QWidget* widget = AsWidget(window);
        return widget->isWindow() ? nullptr : widget->parentWidget();
    }

    RECT GetWindowRect(AnchorWnd window, AnchorWnd reference) override {
        QWidget* widget = AsWidget(window);
        QRect outer = widget->isWindow() ? widget->frameGeometry() : widget->geometry();
        if (reference != widget->parentWidget() || widget->isWindow()) {
            const QPoint screen =
                widget->isWindow() ? outer.topLeft() : widget->mapToGlobal(QPoint(0, 0));
            outer.moveTopLeft(reference != nullptr ? AsWidget(reference)->mapFromGlobal(screen)
                                                   : screen);
        }
        return {outer.left(), outer.top(), outer.left() + outer.width(),
                outer.top() + outer.height()};
    }

    SIZE GetClientSize(AnchorWnd window) override {
        const QSize size = AsWidget(window)->size();
        return {size.width(), size.height()};
    }

    void SetWindowPos(AnchorWnd window, const RECT& rect) override {
        AsWidget(window)->setGeometry(rect.left, rect.top, rect.right - rect.left,
                                      rect.bottom - rect.top);
    }
};

}  // namespace

CAnchorWindows& QtWidgetWindows() {
    static QtWidgetAnchorWindows windows;
    return windows;
}
