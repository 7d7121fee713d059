#include "parent_watch.h"

#include <QEvent>
#include <utility>

#include "ui/host_window.h"

namespace basalt {

ParentWatch::ParentWatch(HWND window, QObject* owner, std::function<void()> ended)
    : QObject(owner), window_(window), ended_(std::move(ended)) {
    if (CHostWindow* watched = WindowFromHandle(window)) {
        watched->installEventFilter(this);
    }
}

bool ParentWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && ended_ && !IsWindow(window_)) {
        watched->removeEventFilter(this);
        std::exchange(ended_, nullptr)();
    }
    return false;
}

}  // namespace basalt
