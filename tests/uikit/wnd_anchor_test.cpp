// Anchoring real windows: the arithmetic against a model of windows, and the Qt widget host.

#include "trellis/wnd_anchor.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <map>

#include "printers.h"

namespace {

// Windows as plain rectangles in their parent's client coordinates.
class FakeWindows : public CAnchorWindows {
public:
    struct Window {
        Window* parent = nullptr;
        CRect rect;
    };

    AnchorWnd GetParent(AnchorWnd window) override { return Of(window).parent; }
    RECT GetWindowRect(AnchorWnd window, AnchorWnd reference) override {
        EXPECT_EQ(reference, Of(window).parent) << "only siblings are used in these tests";
        return Of(window).rect;
    }
    SIZE GetClientSize(AnchorWnd window) override { return Of(window).rect.Size(); }
    void SetWindowPos(AnchorWnd window, const RECT& rect) override {
        Of(window).rect = rect;
        ++moves;
    }

    int moves = 0;

private:
    static Window& Of(AnchorWnd window) { return *static_cast<Window*>(window); }
};

class WndAnchorTest : public ::testing::Test {
protected:
    FakeWindows windows_;
    FakeWindows::Window dialog_{nullptr, CRect(0, 0, 400, 300)};
    CWndAnchor anchor_{windows_};
};

TEST_F(WndAnchorTest, BothSideAnchorsStretchAndKeepTheMargins) {
    FakeWindows::Window list{&dialog_, CRect(10, 40, 390, 250)};
    anchor_.SetAnchor(&list, ANCHOR_LEFT, &dialog_, ANCHOR_LEFT, 10);
    anchor_.SetAnchor(&list, ANCHOR_RIGHT, &dialog_, ANCHOR_RIGHT, -10);
    dialog_.rect.right += 100;
    anchor_.Relayout();
    EXPECT_EQ(list.rect, CRect(10, 40, 490, 250));
}

TEST_F(WndAnchorTest, CornerAnchorsMoveWithoutResizing) {
    FakeWindows::Window button{&dialog_, CRect(300, 250, 380, 280)};
    anchor_.SetAnchor(&button, ANCHOR_RIGHT, &dialog_, ANCHOR_RIGHT, -20);
    anchor_.SetAnchor(&button, ANCHOR_BOTTOM, &dialog_, ANCHOR_BOTTOM, -20);
    dialog_.rect = CRect(0, 0, 500, 400);
    anchor_.Relayout();
    EXPECT_EQ(button.rect, CRect(400, 350, 480, 380));
}

TEST_F(WndAnchorTest, AWindowFollowsASiblingRegisteredBeforeIt) {
    FakeWindows::Window banner{&dialog_, CRect(0, 0, 400, 50)};
    FakeWindows::Window body{&dialog_, CRect(0, 55, 400, 300)};
    anchor_.SetAnchor(&banner, ANCHOR_BOTTOM, &dialog_, ANCHOR_TOP, 80);
    anchor_.SetAnchor(&banner, ANCHOR_TOP, &dialog_, ANCHOR_TOP, 0);
    anchor_.SetAnchor(&body, ANCHOR_TOP, &banner, ANCHOR_BOTTOM, 5);
    anchor_.SetAnchor(&body, ANCHOR_BOTTOM, &dialog_, ANCHOR_BOTTOM, 0);
    anchor_.Relayout();
    EXPECT_EQ(banner.rect, CRect(0, 0, 400, 80));
    EXPECT_EQ(body.rect, CRect(0, 85, 400, 300));
}

TEST_F(WndAnchorTest, RecordsWithoutAnchorsStayAndEdgesAreReplaced) {
    FakeWindows::Window free{&dialog_, CRect(1, 2, 3, 4)};
    EXPECT_EQ(anchor_.SetAnchor(&free, 16, &dialog_, ANCHOR_LEFT, 0), 0);
    anchor_.Relayout();
    EXPECT_EQ(windows_.moves, 0);
    EXPECT_EQ(free.rect, CRect(1, 2, 3, 4));

    FakeWindows::Window box{&dialog_, CRect(0, 0, 10, 10)};
    anchor_.SetAnchor(&box, ANCHOR_LEFT, &dialog_, ANCHOR_LEFT, 5);
    anchor_.SetAnchor(&box, ANCHOR_LEFT, &dialog_, ANCHOR_LEFT, 7);
    anchor_.Relayout();
    EXPECT_EQ(windows_.moves, 1) << "one record for the window";
    EXPECT_EQ(box.rect, CRect(7, 0, 17, 10));
    anchor_.Clear();
    anchor_.Relayout();
    EXPECT_EQ(windows_.moves, 1);
}

TEST(QtWidgetAnchorTest, PlacesChildWidgetsByTheirParentAndSiblings) {
    QWidget dialog;
    dialog.resize(400, 300);
    QWidget list(&dialog);
    list.setGeometry(10, 40, 380, 200);
    QWidget status(&dialog);
    status.setGeometry(10, 250, 100, 20);
    CWndAnchor anchor;
    anchor.SetAnchor(&list, ANCHOR_LEFT, &dialog, ANCHOR_LEFT, 10);
    anchor.SetAnchor(&list, ANCHOR_RIGHT, &dialog, ANCHOR_RIGHT, -10);
    anchor.SetAnchor(&list, ANCHOR_BOTTOM, &dialog, ANCHOR_BOTTOM, -40);
    anchor.SetAnchor(&status, ANCHOR_TOP, &list, ANCHOR_BOTTOM, 5);
    anchor.SetAnchor(&status, ANCHOR_RIGHT, &list, ANCHOR_RIGHT, 0);
    dialog.resize(500, 400);
    anchor.Relayout();
    EXPECT_EQ(list.geometry(), QRect(10, 160, 480, 200)) << "bottom-anchored: moved down";
    EXPECT_EQ(status.geometry(), QRect(390, 365, 100, 20));
}

}  // namespace
