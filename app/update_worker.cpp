#include "update_worker.h"

#include <QCoreApplication>

#include "basalt/basalt.h"
#include "web_area_hooks.h"

namespace app {

UpdateCheckWorker::~UpdateCheckWorker() {
    if (!thread_.joinable()) {
        return;
    }
    while (!done_.load()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    thread_.join();
}

void UpdateCheckWorker::Start(HWND mainWindow, const std::wstring& caption) {
    if (thread_.joinable()) {
        return;
    }
    done_.store(false);
    thread_ = std::thread([this, mainWindow, caption] {
        CheckForUpdate(caption.c_str(), 1, 1, mainWindow);
        SendMessage(mainWindow, WM_WEB_AREAS_READY, 0, 0);
        done_.store(true);
    });
}

}  // namespace app
