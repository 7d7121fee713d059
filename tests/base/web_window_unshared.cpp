// An application created without Qt::AA_ShareOpenGLContexts, where the browser engine would
// crash: OpenWebWnd answers null instead. As root, the first call also turns off the browser's
// sandbox for the process. Exit status 0 when both hold.

#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "basalt/basalt.h"

int main(int argc, char** argv) {
    unsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    QApplication application(argc, argv);
    const HWND window = OpenWebWnd(L"http://127.0.0.1:9/", nullptr, WEBWND_STANDALONE, 0);
    const char* sandbox = std::getenv("QTWEBENGINE_DISABLE_SANDBOX");
    const bool sandboxAsExpected =
        geteuid() != 0 || (sandbox != nullptr && std::strcmp(sandbox, "1") == 0);
    std::printf("window %s, sandbox variable %s\n", window ? "created" : "null",
                sandbox ? sandbox : "unset");
    return window == nullptr && sandboxAsExpected ? 0 : 1;
}
