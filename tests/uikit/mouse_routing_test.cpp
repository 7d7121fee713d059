// Mouse routing: the messages and state changes of moves, rests, presses and releases over a
// tree of objects, as the window would see them.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tree_fixture.h"
#include "trellis/cursors.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// An object that counts how often it was told the pointer left.
class CountingObject : public CUIObject {
public:
    int OnMouseOut() override {
        ++outs;
        return CUIObject::OnMouseOut();
    }
    int outs = 0;
};

// Two objects side by side in a window of 200 x 100, with a panel holding a third.
class MouseRoutingTest : public TreeTest {
protected:
    MouseRoutingTest() {
        const RECT leftRect{10, 10, 60, 40};
        const RECT rightRect{70, 10, 120, 40};
        const RECT panelRect{130, 10, 190, 90};
        const RECT innerRect{10, 10, 50, 30};
        left_.Create(L"left tip", &leftRect, &root_, 1);
        right_.Create(nullptr, &rightRect, &root_, 2);
        panel_.Create(nullptr, &panelRect, &root_, 3);
        inner_.Create(nullptr, &innerRect, &panel_, 4);
        sink_.Clear();
    }

    CountingObject left_;
    CountingObject right_;
    CUIObject panel_;
    CountingObject inner_;
};

TEST_F(MouseRoutingTest, MovesNotifyEveryTimeButRedrawOnlyOnEntry) {
    root_.OnMouseMove(CPoint(20, 20));
    EXPECT_EQ(root_.GetMouseObject(), &left_);
    EXPECT_TRUE(left_.IsMouseInWnd());
    const int afterEntry = sink_.invalidations;
    root_.OnMouseMove(CPoint(21, 20));
    root_.OnMouseMove(CPoint(22, 21));
    EXPECT_THAT(sink_.log, ElementsAre("move 1", "move 1", "move 1"));
    EXPECT_EQ(sink_.invalidations, afterEntry) << "moving within the object redraws nothing";
}

TEST_F(MouseRoutingTest, EnteringAnotherObjectTellsThePreviousOneFirst) {
    root_.OnMouseMove(CPoint(20, 20));
    root_.OnMouseMove(CPoint(80, 20));
    EXPECT_EQ(left_.outs, 1);
    EXPECT_FALSE(left_.IsMouseInWnd());
    EXPECT_TRUE(right_.IsMouseInWnd());
    EXPECT_EQ(root_.GetMouseObject(), &right_);
    EXPECT_THAT(sink_.log, ElementsAre("move 1", "move 2"));
}

TEST_F(MouseRoutingTest, NestedObjectsGetPointsInTheirOwnCoordinates) {
    root_.OnMouseMove(CPoint(145, 25));  // (5, 5) inside the inner object
    EXPECT_EQ(root_.GetMouseObject(), &inner_);
    root_.OnMouseMove(CPoint(135, 80));  // on the panel, beside the inner object
    EXPECT_EQ(root_.GetMouseObject(), &panel_);
    EXPECT_EQ(inner_.outs, 1);
    root_.OnMouseMove(CPoint(5, 95));  // on the window's background
    EXPECT_EQ(root_.GetMouseObject(), &root_);
    EXPECT_THAT(sink_.log, ElementsAre("move 4", "move 3", "move 0"));
}

TEST_F(MouseRoutingTest, RestingShowsTheTipOnceAndLeavingWithdrawsIt) {
    root_.OnMouseMove(CPoint(20, 20));
    root_.OnMouseOver(CPoint(20, 20));
    root_.OnMouseOver(CPoint(21, 20));
    EXPECT_EQ(root_.GetMouseHoverObject(), &left_);
    EXPECT_THAT(sink_.log, ElementsAre("move 1", "hover 1"));
    EXPECT_THAT(sink_.tips, ElementsAre(L"left tip"));

    root_.OnMouseMove(CPoint(80, 20));
    EXPECT_EQ(root_.GetMouseHoverObject(), nullptr);
    EXPECT_THAT(sink_.tips, ElementsAre(L"left tip", L""));
    root_.OnMouseOver(CPoint(80, 20));
    EXPECT_THAT(sink_.log, ElementsAre("move 1", "hover 1", "move 2", "hover 2"));
    EXPECT_THAT(sink_.tips, ElementsAre(L"left tip", L"")) << "no tip text, no tip";
}

TEST_F(MouseRoutingTest, AClickIsReportedByTheObjectItEndsOn) {
    root_.OnMouseLDown(CPoint(20, 20));
    EXPECT_EQ(root_.GetMouseDownObject(), &left_);
    EXPECT_TRUE(left_.IsMouseDown());
    root_.OnMouseLUp(CPoint(21, 21));
    EXPECT_THAT(sink_.log, ElementsAre("command 1"));
    EXPECT_FALSE(left_.IsMouseDown());
    EXPECT_EQ(root_.GetMouseDownObject(), nullptr);
}

TEST_F(MouseRoutingTest, PressingOneObjectAndReleasingOnAnotherClicksTheSecond) {
    root_.OnMouseLDown(CPoint(20, 20));
    root_.OnMouseLUp(CPoint(80, 20));
    EXPECT_THAT(sink_.log, ElementsAre("command 2"));
    EXPECT_FALSE(left_.IsMouseDown()) << "the pressed object only loses its pressed look";
    EXPECT_EQ(root_.GetMouseDownObject(), nullptr);
}

TEST_F(MouseRoutingTest, PressingAContainerAndReleasingOnItsChildClicksTheChildOnce) {
    root_.OnMouseLDown(CPoint(135, 80));
    ASSERT_EQ(root_.GetMouseDownObject(), &panel_);
    root_.OnMouseLUp(CPoint(145, 25));
    EXPECT_THAT(sink_.log, ElementsAre("command 4"));
    EXPECT_FALSE(panel_.IsMouseDown());
    EXPECT_EQ(root_.GetMouseDownObject(), nullptr);
}

TEST_F(MouseRoutingTest, ReleasingOnTheBackgroundClicksTheWindowItself) {
    root_.OnMouseLDown(CPoint(145, 25));
    root_.OnMouseLUp(CPoint(5, 95));
    EXPECT_THAT(sink_.log, ElementsAre("command 0"));
    EXPECT_FALSE(inner_.IsMouseDown());
}

TEST_F(MouseRoutingTest, ASystemCommandReplacesTheCommand) {
    right_.SetSysCommand(SC_CLOSE);
    root_.OnMouseLDown(CPoint(80, 20));
    root_.OnMouseLUp(CPoint(80, 20));
    EXPECT_THAT(sink_.log, ElementsAre("syscommand f060"));
}

TEST_F(MouseRoutingTest, HiddenObjectsAndTheirChildrenAreUnreachable) {
    panel_.SetVisible(0);
    root_.OnMouseLDown(CPoint(145, 25));
    root_.OnMouseLUp(CPoint(145, 25));
    EXPECT_THAT(sink_.log, ElementsAre("command 0"));
}

TEST(MouseReleaseTest, AReleaseOverAChildOfThePressedObjectEndsWithoutLooping) {
    // The cover lies on top of the panel's child. Pressing the panel beside its child and
    // releasing on the cover hands the release to the panel at a point inside that child.
    RecordingSink sink;
    CUIRoot root(&sink);
    CUIObject cover;
    CUIObject panel;
    CUIObject child;
    const RECT client{0, 0, 200, 100};
    const RECT coverRect{10, 10, 50, 50};
    const RECT panelRect{0, 0, 100, 100};
    const RECT childRect{20, 20, 40, 40};
    root.SetRect(&client);
    cover.Create(nullptr, &coverRect, &root, 1);
    panel.Create(nullptr, &panelRect, &root, 2);
    child.Create(nullptr, &childRect, &panel, 3);
    root.OnMouseLDown(CPoint(80, 80));
    ASSERT_EQ(root.GetMouseDownObject(), &panel);
    root.OnMouseLUp(CPoint(30, 30));
    EXPECT_THAT(sink.log, ElementsAre("command 1")) << "one release, one click";
    EXPECT_EQ(root.GetMouseDownObject(), nullptr);
    EXPECT_FALSE(panel.IsMouseDown());
}

TEST_F(MouseRoutingTest, CursorRequestsGoToTheChildUnderThePointer) {
    EXPECT_EQ(root_.OnSetCursor(nullptr, CPoint(20, 20)), 0) << "plain objects leave it";
    EXPECT_EQ(left_.SetCursor(IDC_HAND), 1);
    EXPECT_EQ(left_.SetCursor(MAKEINTRESOURCEW(12345)), 0);
    EXPECT_EQ(left_.SetCursor(IDC_NO), 1);
    EXPECT_THAT(sink_.cursors, ElementsAre(Qt::PointingHandCursor, Qt::ForbiddenCursor));
    EXPECT_EQ(CursorShapeForName(IDC_ARROW), Qt::ArrowCursor);
    EXPECT_EQ(CursorShapeForName(IDC_UPARROW), Qt::UpArrowCursor);
}

}  // namespace
