#include "browser_start.h"

#include <unistd.h>

#include <QOpenGLContext>
#include <QtGlobal>
#include <cstdio>

namespace basalt {

void DisableSandboxWhenRoot() {
    static bool done = false;
    if (done || geteuid() != 0 || qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
        return;
    }
    done = true;
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    std::fputs(
        "libbasalt: running as root, so web pages run without the browser's sandbox "
        "(QTWEBENGINE_DISABLE_SANDBOX=1)\n",
        stderr);
}

bool BrowserCanStart() {
    if (QOpenGLContext::globalShareContext() != nullptr) {
        return true;
    }
    static bool told = false;
    if (!told) {
        told = true;
        std::fputs(
            "libbasalt: no web windows: the application was created without "
            "Qt::AA_ShareOpenGLContexts\n",
            stderr);
    }
    return false;
}

}  // namespace basalt
