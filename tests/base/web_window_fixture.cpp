#include "web_window_fixture.h"

#include <QApplication>
#include <QTest>
#include <chrono>

#include "platform/registry.h"

namespace testsupport {

std::unique_ptr<TempDir> WebWindowTest::serverDir_;
std::unique_ptr<RecorddProcess> WebWindowTest::server_;

ParentWindow::ParentWindow() {
    resize(640, 360);
    show();
}

std::vector<SeenNotification> ParentWindow::Seen(int code) const {
    std::vector<SeenNotification> found;
    for (const SeenNotification& notification : seen) {
        if (notification.code == code) {
            found.push_back(notification);
        }
    }
    return found;
}

LRESULT ParentWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kNotifyMessage) {
        Keep(*reinterpret_cast<WebWndNotification*>(wParam));
        return 0;
    }
    if (msg == WM_TIMER) {
        ++timerTicks;
    }
    return CHostWindow::WindowProc(msg, wParam, lParam);
}

void ParentWindow::Keep(const WebWndNotification& record) {
    SeenNotification kept;
    kept.code = record.code;
    kept.window = record.window;
    if (record.code == WEBWND_DOCUMENT_COMPLETE) {
        kept.url = record.detail.completedUrl;
    } else if (record.code == WEBWND_NEW_WINDOW) {
        kept.cancelPresetFalse = *record.detail.newWindow.cancel == 0;
        kept.flags = record.detail.newWindow.flags;
        kept.context = record.detail.newWindow.context;
        kept.url = record.detail.newWindow.url;
        *record.detail.newWindow.cancel = cancelAnswer;
    } else if (record.code == WEBWND_NAVIGATE_ERROR) {
        kept.cancelPresetFalse = *record.detail.error.cancel == 0;
        kept.url = record.detail.error.url;
        kept.frame = record.detail.error.frame;
        kept.status = record.detail.error.status;
        *record.detail.error.cancel = cancelAnswer;
    }
    seen.push_back(kept);
}

WebWindowTest::WebWindowTest() {
    platform::RegWriteDWord(platform::HKEY_CURRENT_USER, L"Software\\Velkor\\Folioforge",
                            L"CheckSkip", 0);
    InitBasalt(HKEY_CURRENT_USER, L"Software\\Velkor\\Folioforge", L"folioforge");
}

WebWindowTest::~WebWindowTest() {
    parent_.reset();
    Pump(50);  // lets the windows that ended with the parent go
}

void WebWindowTest::SetUpTestSuite() {
    serverDir_ = std::make_unique<TempDir>();
    server_ = std::make_unique<RecorddProcess>(serverDir_->path());
}

void WebWindowTest::TearDownTestSuite() {
    server_.reset();
    serverDir_.reset();
}

bool WebWindowTest::WaitFor(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        QTest::qWait(10);
    }
    return done();
}

void WebWindowTest::Pump(int ms) {
    QTest::qWait(ms);
}

bool WebWindowTest::WaitForCode(int code, int timeoutMs) const {
    return WaitFor([&] { return !parent_->Seen(code).empty(); }, timeoutMs);
}

bool WebWindowTest::WaitForTitle(HWND window, const std::wstring& title) {
    return WaitFor([&] { return GetWindowText(window) == title; });
}

void WebWindowTest::ClickPage(HWND window, QPoint at) {
    CHostWindow* host = WindowFromHandle(window);
    ASSERT_NE(host, nullptr);
    QWidget* view = nullptr;
    for (QWidget* child : host->findChildren<QWidget*>()) {
        if (qstrcmp(child->metaObject()->className(), "QWebEngineView") == 0) {
            view = child;
        }
    }
    ASSERT_NE(view, nullptr);
    QWidget* surface = view->focusProxy() != nullptr ? view->focusProxy() : view;
    const QPoint local = surface->mapFrom(host, at);
    QTest::mouseMove(surface, local);
    QTest::mouseClick(surface, Qt::LeftButton, {}, local);
}

}  // namespace testsupport
