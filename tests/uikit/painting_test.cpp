// Painting the tree: each child over a copy of what lies below it, the first child added on
// top, hidden objects skipped, children clipped to their parent.

#include <gtest/gtest.h>

#include "tree_fixture.h"
#include "trellis/ui_image.h"

namespace {

constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;

// Translucent fills are CUIImage objects without an image.
class PaintingTest : public TreeTest {
protected:
    void Place(CUIImage& object, CUIObject* parent, RECT rect, COLORREF colour, UINT opacity) {
        object.Create(nullptr, &rect, parent, 0);
        object.SetBkColor(colour, opacity);
    }
};

TEST_F(PaintingTest, ATranslucentChildShowsItsParentThrough) {
    CUIImage parent;
    CUIImage child;
    Place(parent, &root_, {10, 10, 90, 90}, kBlue, 255);
    Place(child, &parent, {20, 20, 40, 40}, kRed, 128);
    Paint();
    EXPECT_EQ(At(5, 5), kWhite);
    EXPECT_EQ(At(15, 15), 0xFF0000FFu);
    EXPECT_TRUE(Near(At(35, 35), 0xFF80007F)) << std::hex << At(35, 35);
    EXPECT_TRUE(Near(At(49, 49), 0xFF80007F)) << "the child's last pixel";
    EXPECT_EQ(At(50, 50), 0xFF0000FFu);
}

TEST_F(PaintingTest, TheFirstChildAddedIsPaintedOnTop) {
    CUIImage first;
    CUIImage second;
    Place(first, &root_, {0, 0, 60, 60}, kGreen, 255);
    Place(second, &root_, {40, 40, 100, 100}, kRed, 255);
    Paint();
    EXPECT_EQ(At(50, 50), 0xFF00FF00u);
    EXPECT_EQ(At(70, 70), 0xFFFF0000u);
}

TEST_F(PaintingTest, HiddenObjectsAndTheirChildrenAreNotPainted) {
    CUIImage parent;
    CUIImage child;
    Place(parent, &root_, {10, 10, 90, 90}, kBlue, 255);
    Place(child, &parent, {0, 0, 20, 20}, kRed, 255);
    parent.SetVisible(0);
    Paint();
    EXPECT_EQ(At(15, 15), kWhite);
    EXPECT_EQ(At(50, 50), kWhite);
}

TEST_F(PaintingTest, ChildrenAreClippedToTheirParent) {
    CUIImage parent;
    CUIImage child;
    Place(parent, &root_, {10, 10, 50, 50}, kBlue, 100);
    Place(child, &parent, {30, 30, 80, 80}, kRed, 255);
    Paint();
    EXPECT_EQ(At(45, 45), 0xFFFF0000u);
    EXPECT_EQ(At(55, 55), kWhite) << "outside the parent";
    EXPECT_EQ(At(5, 5), kWhite);
}

TEST_F(PaintingTest, AnObjectReachingBeyondTheWindowPaintsItsVisiblePart) {
    CUIImage parent;
    CUIImage child;
    Place(parent, &root_, {-50, -50, 1000000, 1000000}, kBlue, 255);
    Place(child, &parent, {60, 60, 80, 80}, kRed, 128);
    Paint();
    EXPECT_EQ(At(0, 0), 0xFF0000FFu);
    EXPECT_EQ(At(199, 99), 0xFF0000FFu);
    EXPECT_TRUE(Near(At(10, 10), 0xFF80007F)) << "the child in window coordinates";
    EXPECT_TRUE(Near(At(29, 29), 0xFF80007F));
    EXPECT_EQ(At(30, 30), 0xFF0000FFu);
}

TEST_F(PaintingTest, ObjectsWithoutAreaAreSkipped) {
    CUIImage flat;
    Place(flat, &root_, {10, 10, 10, 90}, kRed, 255);
    CUIImage inverted;
    Place(inverted, &root_, {50, 50, 40, 40}, kRed, 255);
    Paint();
    EXPECT_EQ(At(10, 50), kWhite);
    EXPECT_EQ(At(45, 45), kWhite);
}

}  // namespace
