#pragma once

// A real window (300 x 200 at (100, 100)) with a root bound to it, for tests that need the
// window layer: messages the window's own procedure receives are recorded.

#include <gtest/gtest.h>

#include "recording_window.h"
#include "trellis/main_ui_object.h"

class HostedTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_.ShowAt(QRect(100, 100, 300, 200));
        ASSERT_EQ(root_.Attach(Handle()), 1);
    }

    HWND Handle() const { return window_.GetSafeHwnd(); }

    // The centre of object in the window's client coordinates.
    static QPoint Centre(const CUIObject& object) {
        CRect r;
        object.GetWndRect(&r);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    void ClickAt(QPoint local) { QTest::mouseClick(&window_, Qt::LeftButton, {}, local); }

    // The WM_UI_CHANGED reports the window received, as (id, what changed).
    std::vector<std::pair<WPARAM, LPARAM>> Changes() const {
        std::vector<std::pair<WPARAM, LPARAM>> changes;
        for (const auto& message : window_.Of(WM_UI_CHANGED)) {
            changes.emplace_back(message.wParam, message.lParam);
        }
        return changes;
    }

    RecordingWindow window_;
    CMainUIObject root_;
};
