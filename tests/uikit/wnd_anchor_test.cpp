// Anchoring real windows: the arithmetic against a model of windows, and the Qt widget host.

#include "trellis/wnd_anchor.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <map>
#include <memory>

#include "printers.h"
#include "ui/control_window.h"

namespace {

// Windows as plain rectangles in their parent's client coordinates.
class FakeWindows : public CAnchorWindows {
public:
    struct Window {
        Window* parent = nullptr;
        CRect rect;
        bool alive = true;

        HWND Handle() { return reinterpret_cast<HWND>(this); }
    };

    bool IsWindow(AnchorWnd window) override { return Of(window).alive; }
    AnchorWnd GetParent(AnchorWnd window) override {
        return Of(window).parent != nullptr ? Of(window).parent->Handle() : nullptr;
    }
    RECT GetWindowRect(AnchorWnd window, AnchorWnd reference) override {
        EXPECT_EQ(reference, GetParent(window)) << "only siblings are used in these tests";
        return Of(window).rect;
    }
    SIZE GetClientSize(AnchorWnd window) override { return Of(window).rect.Size(); }
    void SetWindowPos(AnchorWnd window, const RECT& rect) override {
        Of(window).rect = rect;
        ++moves;
    }

    int moves = 0;

private:
    static Window& Of(AnchorWnd window) { return *reinterpret_cast<Window*>(window); }
};

class WndAnchorTest : public ::testing::Test {
protected:
    FakeWindows windows_;
    FakeWindows::Window dialog_{nullptr, CRect(0, 0, 400, 300)};
    CWndAnchor anchor_{windows_};
};

TEST_F(WndAnchorTest, BothSideAnchorsStretchAndKeepTheMargins) {
    FakeWindows::Window list{&dialog_, CRect(10, 40, 390, 250)};
    anchor_.SetAnchor(list.Handle(), ANCHOR_LEFT, dialog_.Handle(), ANCHOR_LEFT, 10);
    anchor_.SetAnchor(list.Handle(), ANCHOR_RIGHT, dialog_.Handle(), ANCHOR_RIGHT, -10);
    dialog_.rect.right += 100;
    anchor_.Relayout();
    EXPECT_EQ(list.rect, CRect(10, 40, 490, 250));
}

TEST_F(WndAnchorTest, CornerAnchorsMoveWithoutResizing) {
    FakeWindows::Window button{&dialog_, CRect(300, 250, 380, 280)};
    anchor_.SetAnchor(button.Handle(), ANCHOR_RIGHT, dialog_.Handle(), ANCHOR_RIGHT, -20);
    anchor_.SetAnchor(button.Handle(), ANCHOR_BOTTOM, dialog_.Handle(), ANCHOR_BOTTOM, -20);
    dialog_.rect = CRect(0, 0, 500, 400);
    anchor_.Relayout();
    EXPECT_EQ(button.rect, CRect(400, 350, 480, 380));
}

TEST_F(WndAnchorTest, AWindowFollowsASiblingRegisteredBeforeIt) {
    FakeWindows::Window banner{&dialog_, CRect(0, 0, 400, 50)};
    FakeWindows::Window body{&dialog_, CRect(0, 55, 400, 300)};
    anchor_.SetAnchor(banner.Handle(), ANCHOR_BOTTOM, dialog_.Handle(), ANCHOR_TOP, 80);
    anchor_.SetAnchor(banner.Handle(), ANCHOR_TOP, dialog_.Handle(), ANCHOR_TOP, 0);
    anchor_.SetAnchor(body.Handle(), ANCHOR_TOP, banner.Handle(), ANCHOR_BOTTOM, 5);
    anchor_.SetAnchor(body.Handle(), ANCHOR_BOTTOM, dialog_.Handle(), ANCHOR_BOTTOM, 0);
    anchor_.Relayout();
    EXPECT_EQ(banner.rect, CRect(0, 0, 400, 80));
    EXPECT_EQ(body.rect, CRect(0, 85, 400, 300));
}

TEST_F(WndAnchorTest, RecordsWithoutAnchorsStayAndEdgesAreReplaced) {
    FakeWindows::Window free{&dialog_, CRect(1, 2, 3, 4)};
    EXPECT_EQ(anchor_.SetAnchor(free.Handle(), 16, dialog_.Handle(), ANCHOR_LEFT, 0), 0);
    anchor_.Relayout();
    EXPECT_EQ(windows_.moves, 0);
    EXPECT_EQ(free.rect, CRect(1, 2, 3, 4));

    FakeWindows::Window box{&dialog_, CRect(0, 0, 10, 10)};
    anchor_.SetAnchor(box.Handle(), ANCHOR_LEFT, dialog_.Handle(), ANCHOR_LEFT, 5);
    anchor_.SetAnchor(box.Handle(), ANCHOR_LEFT, dialog_.Handle(), ANCHOR_LEFT, 7);
    anchor_.Relayout();
    EXPECT_EQ(windows_.moves, 1) << "one record for the window";
    EXPECT_EQ(box.rect, CRect(7, 0, 17, 10));
    anchor_.Clear();
    anchor_.Relayout();
    EXPECT_EQ(windows_.moves, 1);
}

TEST_F(WndAnchorTest, DestroyedWindowsAreForgottenAndDestroyedTargetsFreeTheirEdge) {
    FakeWindows::Window banner{&dialog_, CRect(0, 0, 400, 50)};
    FakeWindows::Window body{&dialog_, CRect(0, 55, 400, 300)};
    anchor_.SetAnchor(banner.Handle(), ANCHOR_RIGHT, dialog_.Handle(), ANCHOR_RIGHT, 0);
    anchor_.SetAnchor(body.Handle(), ANCHOR_TOP, banner.Handle(), ANCHOR_BOTTOM, 5);
    anchor_.SetAnchor(body.Handle(), ANCHOR_RIGHT, dialog_.Handle(), ANCHOR_RIGHT, -10);
    banner.alive = false;
    dialog_.rect.right = 500;
    anchor_.Relayout();
    EXPECT_EQ(windows_.moves, 1) << "the destroyed banner is not touched";
    EXPECT_EQ(body.rect, CRect(90, 55, 490, 300)) << "its top edge is free, the right one moves it";
}

TEST(WindowLayerAnchorTest, PlacesChildWindowsByTheirParentAndSiblings) {
    CHostWindow dialog;
    dialog.resize(400, 300);
    dialog.show();
    CControlWindow list(dialog.GetSafeHwnd(), 1000, std::make_unique<QWidget>());
    list.setGeometry(10, 40, 380, 200);
    CHostWindow status(WS_CHILD, dialog.GetSafeHwnd(), 7);
    status.setGeometry(10, 250, 100, 20);
    CWndAnchor anchor;
    anchor.SetAnchor(list.GetSafeHwnd(), ANCHOR_LEFT, dialog.GetSafeHwnd(), ANCHOR_LEFT, 10);
    anchor.SetAnchor(list.GetSafeHwnd(), ANCHOR_RIGHT, dialog.GetSafeHwnd(), ANCHOR_RIGHT, -10);
    anchor.SetAnchor(list.GetSafeHwnd(), ANCHOR_BOTTOM, dialog.GetSafeHwnd(), ANCHOR_BOTTOM, -40);
    anchor.SetAnchor(status.GetSafeHwnd(), ANCHOR_TOP, list.GetSafeHwnd(), ANCHOR_BOTTOM, 5);
    anchor.SetAnchor(status.GetSafeHwnd(), ANCHOR_RIGHT, list.GetSafeHwnd(), ANCHOR_RIGHT, 0);
    dialog.resize(500, 400);
    anchor.Relayout();
    EXPECT_EQ(list.geometry(), QRect(10, 160, 480, 200)) << "bottom-anchored: moved down";
    EXPECT_EQ(list.Control()->geometry(), QRect(0, 0, 480, 200)) << "the control fills it";
    EXPECT_EQ(status.geometry(), QRect(390, 365, 100, 20));

    DestroyWindow(status.GetSafeHwnd());
    dialog.resize(450, 400);
    anchor.Relayout();
    EXPECT_EQ(list.geometry(), QRect(10, 160, 430, 200)) << "a destroyed sibling is skipped";
}

}  // namespace
