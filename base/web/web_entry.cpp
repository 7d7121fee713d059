// The module's entry point, called by libbasalt's OpenWebWnd once the network switch allows.

#include <QApplication>
#include <QThread>
#include <type_traits>

#include "boundary.h"
#include "browser_start.h"
#include "web_module.h"
#include "web_window.h"

namespace basalt {
namespace {

HWND OpenOnApplicationThread(const WebWindowRequest& request) {
    return CallTrapped<HWND>(nullptr, [&]() -> HWND {
        DisableSandboxWhenRoot();
        if (!BrowserCanStart()) {
            return nullptr;
        }
        return CWebWindow::Open(request);
    });
}

}  // namespace
}  // namespace basalt

extern "C" __attribute__((visibility("default"))) HWND BasaltOpenWebWindow(const wchar_t* url,
                                                                           HWND parent,
                                                                           uint32_t style,
                                                                           unsigned int message) {
    using namespace basalt;
    static_assert(std::is_same_v<decltype(&BasaltOpenWebWindow), OpenWebWindowEntry>);
    return CallTrapped<HWND>(nullptr, [&]() -> HWND {
        auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
        if (application == nullptr || url == nullptr) {
            return nullptr;
        }
        const WebWindowRequest request{url, parent, ShapeOfStyle(style), message};
        if (QThread::currentThread() == application->thread()) {
            return OpenOnApplicationThread(request);
        }
        HWND window = nullptr;
        QMetaObject::invokeMethod(
            application, [&] { window = OpenOnApplicationThread(request); },
            Qt::BlockingQueuedConnection);
        return window;
    });
}
