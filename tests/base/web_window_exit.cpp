// A program that leaves a web window open when its event loop ends: the process still ends
// with status 0 and without the browser engine's complaint about pages left alive.

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "basalt/basalt.h"

int main(int argc, char** argv) {
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    const HWND window = OpenWebWnd(L"data:text/html,<title>Left open</title><p>Left open</p>",
                                   nullptr, WEBWND_STANDALONE, 0);
    if (window == nullptr) {
        std::puts("no web window");
        return 1;
    }
    QTimer::singleShot(1500, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
