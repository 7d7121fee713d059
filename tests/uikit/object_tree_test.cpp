// The object tree: creation and text messages, anchors and their two-pass settling, z-order
// and hit testing, redraw translation, and leaving the tree on destruction.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "printers.h"
#include "tree_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ObjectTreeTest : public TreeTest {
protected:
    static CRect RectOf(const CUIObject& object) {
        CRect r;
        object.GetRect(&r);
        return r;
    }

    void Resize(int width, int height) {
        const RECT client{0, 0, width, height};
        root_.SetRect(&client);
    }
};

TEST_F(ObjectTreeTest, CreateReportsTheTextOnlyOnceTheObjectHasARoot) {
    CUIObject object;
    const RECT r{0, 0, 10, 10};
    object.Create(L"first", &r, &root_, 7);
    EXPECT_THAT(sink_.log, IsEmpty()) << "the change is sent before the object joins the tree";
    EXPECT_EQ(object.GetText(), L"first");
    EXPECT_EQ(object.GetTipText(), L"first");

    object.Create(L"second", &r, &root_, 7);
    EXPECT_THAT(sink_.log, ElementsAre("text 7"));
    CUIObject* hit = root_.FindSubObject(CPoint(5, 5));
    EXPECT_EQ(hit, &object) << "creating again does not add the object twice";
}

TEST_F(ObjectTreeTest, SetTextReportsEachRealChange) {
    CUIObject object;
    const RECT r{0, 0, 10, 10};
    object.Create(L"", &r, &root_, 3);
    object.SetText(L"same", 0);
    object.SetText(L"same", 1);
    EXPECT_THAT(sink_.log, ElementsAre("text 3"));
    EXPECT_EQ(object.GetTipText(), L"") << "the tip follows only when asked";
    object.SetText(nullptr, 1);
    object.SetText(nullptr, 1);
    EXPECT_THAT(sink_.log, ElementsAre("text 3", "text 3", "text 3"));
    EXPECT_EQ(object.GetText(), L"");
    object.SetText(L"tip too", 1);
    EXPECT_EQ(object.GetTipText(), L"tip too");
}

TEST_F(ObjectTreeTest, RightAnchorKeepsTheWidthAndBothAnchorsStretch) {
    CUIObject corner;
    CUIObject band;
    const RECT cornerRect{150, 10, 190, 30};
    const RECT bandRect{0, 40, 50, 60};
    corner.Create(nullptr, &cornerRect, &root_, 1);
    band.Create(nullptr, &bandRect, &root_, 2);
    corner.Anchor(ANCHOR_RIGHT, &root_, ANCHOR_RIGHT, -10);
    band.Anchor(ANCHOR_LEFT, &root_, ANCHOR_LEFT, 10);
    band.Anchor(ANCHOR_RIGHT, &root_, ANCHOR_RIGHT, -10);
    EXPECT_EQ(RectOf(corner), CRect(150, 10, 190, 30)) << "anchors wait for the next layout";

    Resize(240, 100);
    EXPECT_EQ(RectOf(corner), CRect(190, 10, 230, 30));
    EXPECT_EQ(RectOf(band), CRect(10, 40, 230, 60));
}

TEST_F(ObjectTreeTest, AnAnchorToNoEdgeGivesTheBareOffset) {
    CUIObject object;
    const RECT r{50, 50, 60, 70};
    object.Create(nullptr, &r, &root_, 1);
    object.Anchor(ANCHOR_TOP, &root_, ANCHOR_NONE, 5);
    Resize(200, 100);
    EXPECT_EQ(RectOf(object), CRect(50, 5, 60, 25));
}

TEST_F(ObjectTreeTest, AnchorRejectsUnknownEdgesAndNullTargetsFreeAnEdge) {
    CUIObject object;
    const RECT r{50, 50, 60, 70};
    object.Create(nullptr, &r, &root_, 1);
    EXPECT_EQ(object.Anchor(3, &root_, ANCHOR_LEFT, 0), 0);
    EXPECT_EQ(object.Anchor(ANCHOR_LEFT, &root_, ANCHOR_LEFT, 0), 1);
    EXPECT_EQ(object.Anchor(ANCHOR_LEFT, nullptr, ANCHOR_LEFT, 0), 1);
    EXPECT_EQ(object.OnAnchor(), 0) << "no anchor left";
    Resize(300, 300);
    EXPECT_EQ(RectOf(object), CRect(50, 50, 60, 70));
}

TEST_F(ObjectTreeTest, ASiblingMovedLaterInThePassSettlesOnTheSecondPass) {
    // The label follows the button, but the button is laid out after it.
    CUIObject label;
    CUIObject button;
    const RECT labelRect{0, 10, 30, 30};
    const RECT buttonRect{100, 10, 140, 30};
    label.Create(nullptr, &labelRect, &root_, 1);
    button.Create(nullptr, &buttonRect, &root_, 2);
    label.Anchor(ANCHOR_RIGHT, &button, ANCHOR_LEFT, -5);
    button.Anchor(ANCHOR_RIGHT, &root_, ANCHOR_RIGHT, -10);

    label.OnAnchor();
    button.OnAnchor();
    EXPECT_EQ(RectOf(label), CRect(65, 10, 95, 30)) << "a single pass sees the old button";
    EXPECT_EQ(RectOf(button), CRect(150, 10, 190, 30));

    Resize(300, 100);
    EXPECT_EQ(RectOf(button), CRect(250, 10, 290, 30));
    EXPECT_EQ(RectOf(label), CRect(215, 10, 245, 30));
}

TEST_F(ObjectTreeTest, ChildrenAreAnchoredInTheirParentsClientSpace) {
    CUIObject panel;
    CUIObject inner;
    const RECT panelRect{20, 20, 120, 80};
    const RECT innerRect{0, 0, 10, 10};
    panel.Create(nullptr, &panelRect, &root_, 1);
    inner.Create(nullptr, &innerRect, &panel, 2);
    inner.Anchor(ANCHOR_LEFT, &panel, ANCHOR_LEFT, 5);
    inner.Anchor(ANCHOR_RIGHT, &panel, ANCHOR_RIGHT, -5);
    panel.Anchor(ANCHOR_RIGHT, &root_, ANCHOR_RIGHT, -20);
    Resize(300, 100);
    EXPECT_EQ(RectOf(panel), CRect(180, 20, 280, 80));
    EXPECT_EQ(RectOf(inner), CRect(5, 0, 95, 10)) << "relative to the panel, not the window";
    CRect inWindow;
    inner.GetWndRect(&inWindow);
    EXPECT_EQ(inWindow, CRect(185, 20, 275, 30));
}

TEST_F(ObjectTreeTest, TheFirstChildAddedIsOnTopForHitTesting) {
    CUIObject first;
    CUIObject second;
    const RECT a{0, 0, 50, 50};
    const RECT b{25, 25, 75, 75};
    first.Create(nullptr, &a, &root_, 1);
    second.Create(nullptr, &b, &root_, 2);
    EXPECT_EQ(root_.FindSubObject(CPoint(30, 30)), &first);
    EXPECT_EQ(root_.FindSubObject(CPoint(60, 60)), &second);
    EXPECT_EQ(root_.FindSubObject(CPoint(50, 50)), &second) << "right and bottom are outside";
    EXPECT_EQ(root_.FindSubObject(CPoint(80, 80)), nullptr);

    first.SetVisible(0);
    EXPECT_EQ(root_.FindSubObject(CPoint(30, 30)), &second);
    first.SetVisible(1);
    first.SetTransparency(1);
    EXPECT_EQ(root_.FindSubObject(CPoint(30, 30)), &second) << "the mouse falls through";
}

TEST_F(ObjectTreeTest, RedrawRequestsReachTheWindowInItsCoordinates) {
    CUIObject panel;
    CUIObject inner;
    const RECT panelRect{20, 30, 120, 80};
    const RECT innerRect{5, 6, 15, 16};
    panel.Create(nullptr, &panelRect, &root_, 1);
    inner.Create(nullptr, &innerRect, &panel, 2);
    sink_.Clear();
    inner.ReDraw(nullptr);
    ASSERT_TRUE(sink_.lastInvalidated.has_value());
    EXPECT_EQ(CRect(*sink_.lastInvalidated), CRect(25, 36, 35, 46));
    const RECT part{1, 1, 2, 2};
    inner.ReDraw(&part);
    EXPECT_EQ(CRect(*sink_.lastInvalidated), CRect(26, 37, 27, 38));
}

TEST_F(ObjectTreeTest, ObjectsWithoutARootDoNothingQuietly) {
    CUIObject lone;
    const RECT r{0, 0, 10, 10};
    EXPECT_EQ(lone.Create(L"x", &r, nullptr, 1), 1);
    EXPECT_EQ(lone.SendMessageToWnd(WM_COMMAND, 0, 0), 1);
    EXPECT_EQ(lone.GetWnd(), nullptr);
    EXPECT_EQ(lone.SetMouseObject(&lone), 0);
    EXPECT_EQ(lone.GetMouseObject(), nullptr);
    EXPECT_EQ(lone.PopTip(L"tip"), 0);
    EXPECT_EQ(lone.OnMouseLUp(CPoint(1, 1)), 0);
}

TEST_F(ObjectTreeTest, ADestroyedObjectLeavesItsParentAndTheRootsPointers) {
    auto doomed = std::make_unique<CUIObject>();
    CUIObject grandchild;
    const RECT r{0, 0, 50, 50};
    doomed->Create(nullptr, &r, &root_, 1);
    grandchild.Create(nullptr, &r, doomed.get(), 2);
    grandchild.OnMouseMove(CPoint(1, 1));
    root_.SetMouseHoverObject(&grandchild);
    root_.SetMouseDownObject(doomed.get());
    ASSERT_EQ(root_.GetMouseObject(), &grandchild);

    doomed.reset();
    EXPECT_EQ(root_.FindSubObject(CPoint(10, 10)), nullptr);
    EXPECT_EQ(root_.GetMouseObject(), nullptr);
    EXPECT_EQ(root_.GetMouseHoverObject(), nullptr);
    EXPECT_EQ(root_.GetMouseDownObject(), nullptr);
    EXPECT_EQ(grandchild.GetWnd(), nullptr) << "the orphan has no way up";
    sink_.Clear();
    grandchild.SetText(L"orphan", 1);
    EXPECT_THAT(sink_.log, IsEmpty());
}

TEST_F(ObjectTreeTest, AnchorsToADestroyedSiblingAreDropped) {
    CUIObject follower;
    const RECT r{0, 0, 10, 10};
    follower.Create(nullptr, &r, &root_, 1);
    {
        CUIObject leader;
        leader.Create(nullptr, &r, &root_, 2);
        follower.Anchor(ANCHOR_LEFT, &leader, ANCHOR_RIGHT, 5);
        Resize(200, 100);
        EXPECT_EQ(RectOf(follower), CRect(15, 0, 25, 10));
    }
    Resize(300, 100);
    EXPECT_EQ(RectOf(follower), CRect(15, 0, 25, 10)) << "the edge is free again";
}

TEST(ObjectLifetimeTest, ChildrenOutlivingTheirRootAreOrphanedSafely) {
    RecordingSink sink;
    CUIObject child;
    {
        CUIRoot root(&sink);
        const RECT r{0, 0, 10, 10};
        child.Create(nullptr, &r, &root, 1);
    }
    EXPECT_EQ(child.GetMouseObject(), nullptr);
    EXPECT_EQ(child.ReDraw(nullptr), 1);
}

}  // namespace
