#pragma once

// Web windows against a live folioforge-recordd: a parent window of the window layer that
// keeps every notification it receives, and helpers to wait for the page and to click it.

#include <gtest/gtest.h>

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "basalt/basalt.h"
#include "recordd_process.h"
#include "temp_dir.h"
#include "ui/host_window.h"

namespace testsupport {

inline constexpr UINT kNotifyMessage = 7690;

// A notification as the parent saw it, copied out of the record during the send.
struct SeenNotification {
    int code = -1;
    HWND window = nullptr;
    std::wstring url;
    std::wstring context;  // new window: the asking page
    std::wstring frame;    // navigation error
    uint32_t flags = 0;
    int status = 0;
    bool cancelPresetFalse = false;
};

class ParentWindow final : public CHostWindow {
public:
    ParentWindow();

    std::vector<SeenNotification> seen;
    int16_t cancelAnswer = 0;  // written into the cancel flag of codes 3 and 4
    int timerTicks = 0;

    // The notifications with code.
    std::vector<SeenNotification> Seen(int code) const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Keep(const WebWndNotification& record);
};

class WebWindowTest : public ::testing::Test {
protected:
    WebWindowTest();
    ~WebWindowTest() override;

    // The record server's address of path.
    std::wstring Url(const std::string& path) const { return server_->wideUrl(path); }

    // Processes events until done() or timeoutMs pass; answers done().
    static bool WaitFor(const std::function<bool()>& done, int timeoutMs = 20000);
    // Processes events for ms.
    static void Pump(int ms);

    bool WaitForCode(int code, int timeoutMs = 20000) const;
    // Waits until the window's caption is the page's title.
    static bool WaitForTitle(HWND window, const std::wstring& title);
    // Clicks the page of a web window at a point of its client area.
    static void ClickPage(HWND window, QPoint at);

    ScopedSettingsHome home_;
    std::unique_ptr<ParentWindow> parent_ = std::make_unique<ParentWindow>();
    static std::unique_ptr<TempDir> serverDir_;
    static std::unique_ptr<RecorddProcess> server_;

public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
};

}  // namespace testsupport
