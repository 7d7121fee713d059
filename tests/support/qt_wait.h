#pragma once

// Waiting in GUI tests without blocking the event loop.

#include <QApplication>
#include <QElapsedTimer>
#include <functional>

namespace testsupport {

// Runs the event loop until done() holds or milliseconds have passed; whether it held.
inline bool WaitUntil(const std::function<bool()>& done, int milliseconds = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

}  // namespace testsupport
