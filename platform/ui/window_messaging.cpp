// Window procedures, messages between threads, timers and the window's end.

#include <QCoreApplication>
#include <QThread>
#include <utility>

#include "ui/host_window.h"
#include "window_table.h"

namespace {

// Runs on the GUI thread: the window is looked up again, so a window destroyed in the
// meantime gets nothing.
LRESULT DeliverNow(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProc(GetWindowProc(hwnd), hwnd, msg, wParam, lParam);
}

}  // namespace

BOOL IsWindow(HWND hwnd) {
    return LookUpWindow(hwnd) != nullptr ? 1 : 0;
}

CHostWindow* WindowFromHandle(HWND hwnd) {
    return LookUpWindow(hwnd);
}

BOOL DestroyWindow(HWND hwnd) {
    CHostWindow* window = LookUpWindow(hwnd);
    if (window == nullptr || window->destroying_) {
        return 0;
    }
    window->Destroy();
    return 1;
}

WNDPROC GetWindowProc(HWND hwnd) {
    const CHostWindow* window = LookUpWindow(hwnd);
    return window != nullptr ? window->procedure_ : nullptr;
}

WNDPROC SetWindowProc(HWND hwnd, WNDPROC procedure) {
    CHostWindow* window = LookUpWindow(hwnd);
    if (window == nullptr || procedure == nullptr) {
        return nullptr;
    }
    return std::exchange(window->procedure_, procedure);
}

LRESULT CallWindowProc(WNDPROC procedure, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return procedure != nullptr ? procedure(hwnd, msg, wParam, lParam) : 0;
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr || !IsWindow(hwnd)) {
        return 0;
    }
    if (QThread::currentThread() == application->thread()) {
        return DeliverNow(hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    QMetaObject::invokeMethod(
        application, [&] { result = DeliverNow(hwnd, msg, wParam, lParam); },
        Qt::BlockingQueuedConnection);
    return result;
}

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr || !IsWindow(hwnd)) {
        return 0;
    }
    QMetaObject::invokeMethod(
        application, [=] { DeliverNow(hwnd, msg, wParam, lParam); }, Qt::QueuedConnection);
    return 1;
}

void PostQuitMessage(int exitCode) {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(
            application, [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
    }
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse) {
    CHostWindow* window = LookUpWindow(hwnd);
    if (window == nullptr || id == 0 || !window->StartTimer(id, elapse)) {
        return 0;
    }
    return id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    CHostWindow* window = LookUpWindow(hwnd);
    return window != nullptr && window->StopTimer(id) ? 1 : 0;
}
