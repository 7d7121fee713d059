// The button: how styles split its area, drop-down strip versus body clicks, check boxes,
// swatches, and the painted looks of its states.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QBuffer>

#include "glyphs.h"
#include "platform/text.h"
#include "printers.h"
#include "temp_dir.h"
#include "tree_fixture.h"
#include "trellis/ui_button.h"

namespace {

using ::testing::ElementsAre;

class ButtonTest : public TreeTest {
protected:
    void Place(CUIButton& button, RECT rect, DWORD style, UINT id = 9) {
        button.Create(L"Go", &rect, &root_, id);
        button.SetBtStyle(style);
        sink_.Clear();
    }

    void Click(CPoint press, CPoint release) {
        root_.OnMouseLDown(press);
        root_.OnMouseLUp(release);
    }
};

struct Split {
    CRect image;
    CRect text;
    CRect dropDown;
};

Split SplitOf(const CUIButton& button, CRect area) {
    Split split;
    button.GetAllRect(&area, &split.image, &split.text, &split.dropDown);
    return split;
}

TEST_F(ButtonTest, ImageOnTopWithDropDownStacksThreeBands) {
    CUIButton button;
    button.SetBtStyle(UIBS_TEXT | UIBS_IMAGE | UIBS_DROPDOWN | UIBS_IMAGETOP);
    const Split split = SplitOf(button, CRect(0, 0, 60, 60));
    EXPECT_EQ(split.dropDown, CRect(0, 48, 60, 60));
    EXPECT_EQ(split.text, CRect(0, 25, 60, 48));
    EXPECT_EQ(split.image, CRect(0, 0, 60, 25));
}

TEST_F(ButtonTest, ImageBesideTextStartsThreePixelsInAndOverlapsTheText) {
    CUIButton button;
    const RECT sixteenWide{5, 52, 21, 68};
    ASSERT_EQ(button.SetImage(kGlyphStripId, L"PNG", &sixteenWide, nullptr, nullptr), 1);
    button.SetBtStyle(UIBS_TEXT | UIBS_IMAGE | UIBS_DROPDOWN);
    const Split split = SplitOf(button, CRect(0, 0, 80, 24));
    EXPECT_EQ(split.dropDown, CRect(0, 12, 80, 24));
    EXPECT_EQ(split.image, CRect(3, 0, 22, 12));
    EXPECT_EQ(split.text, CRect(19, 0, 80, 12));
}

TEST_F(ButtonTest, DropDownOnTheRightAndTheSingleContentStyles) {
    CUIButton button;
    button.SetBtStyle(UIBS_TEXT | UIBS_DROPDOWN | UIBS_DROPRIGHT);
    Split split = SplitOf(button, CRect(0, 0, 100, 20));
    EXPECT_EQ(split.dropDown, CRect(88, 0, 100, 20));
    EXPECT_EQ(split.text, CRect(0, 0, 88, 20));
    EXPECT_TRUE(split.image.IsRectEmpty());

    button.SetBtStyle(UIBS_IMAGE);
    split = SplitOf(button, CRect(1, 2, 30, 40));
    EXPECT_EQ(split.image, CRect(1, 2, 30, 40));
    EXPECT_TRUE(split.text.IsRectEmpty());

    button.SetBtStyle(0);
    split = SplitOf(button, CRect(1, 2, 30, 40));
    EXPECT_TRUE(split.image.IsRectEmpty() && split.text.IsRectEmpty());
    const RECT area{0, 0, 10, 10};
    EXPECT_EQ(button.GetAllRect(&area, nullptr, nullptr, nullptr), 1);
}

TEST_F(ButtonTest, ReleasingOnTheStripReportsADropDownInsteadOfAClick) {
    CUIButton button;
    Place(button, {10, 10, 110, 40}, UIBS_TEXT | UIBS_DROPDOWN);  // strip: y 28-39
    Click(CPoint(50, 35), CPoint(50, 35));
    EXPECT_THAT(sink_.log, ElementsAre("dropdown 9"));
    EXPECT_FALSE(button.IsMouseDown());
    EXPECT_EQ(root_.GetMouseDownObject(), nullptr);
    sink_.Clear();
    Click(CPoint(50, 15), CPoint(50, 15));
    EXPECT_THAT(sink_.log, ElementsAre("command 9"));
    sink_.Clear();
    Click(CPoint(50, 15), CPoint(50, 35));
    EXPECT_THAT(sink_.log, ElementsAre("dropdown 9")) << "the release point decides";
}

TEST_F(ButtonTest, ACheckBoxReportsTheToggleBeforeTheClick) {
    CUIButton box;
    Place(box, {10, 10, 110, 30}, UIBS_CHECK, 4);
    Click(CPoint(20, 20), CPoint(20, 20));
    EXPECT_EQ(box.GetCheck(), 1);
    Click(CPoint(20, 20), CPoint(20, 20));
    EXPECT_EQ(box.GetCheck(), 0);
    EXPECT_THAT(sink_.log, ElementsAre("check 4", "command 4", "check 4", "command 4"));
    sink_.Clear();
    Click(CPoint(20, 20), CPoint(150, 80));
    EXPECT_EQ(box.GetCheck(), 0) << "released outside: no toggle";
    EXPECT_THAT(sink_.log, ElementsAre("command 0"));
    sink_.Clear();
    box.SetCheck(1);
    EXPECT_THAT(sink_.log, ElementsAre("check 4"));
}

TEST_F(ButtonTest, SetColorTurnsAnyButtonIntoASwatch) {
    CUIButton swatch;
    Place(swatch, {10, 10, 30, 30}, UIBS_TEXT | UIBS_IMAGE | UIBS_CHECK);
    swatch.SetColor(0x0000FF);
    EXPECT_EQ(swatch.GetBtStyle(), UIBS_COLOR);
    Paint();
    EXPECT_EQ(At(20, 20), 0xFFFF0000u);
    EXPECT_EQ(At(11, 11), kWhite) << "a 2-pixel border of the (invisible) normal background";
    EXPECT_EQ(At(12, 12), 0xFFFF0000u);
}

TEST_F(ButtonTest, TheWholeButtonShowsTheHand) {
    CUIButton button;
    Place(button, {10, 10, 110, 40}, UIBS_TEXT);
    EXPECT_EQ(root_.OnSetCursor(nullptr, CPoint(12, 38)), 1);
    EXPECT_THAT(sink_.cursors, ElementsAre(Qt::PointingHandCursor));
    EXPECT_EQ(root_.OnSetCursor(nullptr, CPoint(150, 80)), 0);
}

// A strip of three 4 x 4 squares: red (normal), green (hover), blue (pressed).
std::wstring WriteStateStrip(const testsupport::TempDir& dir) {
    QImage strip(12, 4, QImage::Format_ARGB32);
    strip.fill(Qt::red);
    for (int y = 0; y < 4; ++y) {
        for (int x = 4; x < 12; ++x) {
            strip.setPixel(x, y, x < 8 ? 0xFF00FF00 : 0xFF0000FF);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    strip.save(&buffer, "PNG");
    const auto path = dir / "strip.png";
    testsupport::WriteFile(path, bytes.toStdString());
    return platform::FromUtf8(path.string());
}

TEST_F(ButtonTest, EachStateDrawsItsOwnRectangleCentred) {
    testsupport::TempDir dir;
    const std::wstring strip = WriteStateStrip(dir);
    CUIButton button;
    Place(button, {10, 10, 30, 30}, UIBS_IMAGE);
    const RECT normal{0, 0, 4, 4};
    const RECT hover{4, 0, 8, 4};
    const RECT pressed{8, 0, 12, 4};
    ASSERT_EQ(button.SetImage(strip.c_str(), &normal, &hover, &pressed), 1);
    EXPECT_EQ(button.GetImageSize(), CSize(4, 4));
    Paint();
    EXPECT_EQ(At(20, 20), 0xFFFF0000u);
    EXPECT_EQ(At(17, 17), kWhite) << "centred: (8, 8) to (12, 12) inside the button";
    root_.OnMouseMove(CPoint(20, 20));
    Paint();
    EXPECT_EQ(At(20, 20), 0xFF00FF00u);
    root_.OnMouseLDown(CPoint(20, 20));
    Paint();
    EXPECT_EQ(At(20, 20), 0xFF0000FFu);
    EXPECT_LT(qRed(At(11, 11)), 180) << "the pressed overlay darkens the image area";
}

TEST_F(ButtonTest, WithoutHoverAndPressedRectanglesEveryStateShowsTheNormalOne) {
    testsupport::TempDir dir;
    const std::wstring strip = WriteStateStrip(dir);
    CUIButton button;
    Place(button, {10, 10, 30, 30}, UIBS_IMAGE);
    const RECT normal{0, 0, 4, 4};
    button.SetImage(strip.c_str(), &normal, nullptr, nullptr);
    root_.OnMouseMove(CPoint(20, 20));
    Paint();
    EXPECT_EQ(At(20, 20), 0xFFFF0000u);
    root_.OnMouseLDown(CPoint(20, 20));
    Paint();
    EXPECT_EQ(At(20, 20), 0xFFFF0000u);

    const RECT other{4, 0, 8, 4};
    EXPECT_EQ(button.SetImage(L"/nonexistent/strip.png", &other, nullptr, nullptr), 0);
    EXPECT_EQ(button.GetImageSize(), CSize(0, 0)) << "a failed load leaves no image";
}

TEST_F(ButtonTest, TheStripShowsTheArrowAndDarkensWhenHot) {
    CUIButton button;
    Place(button, {10, 10, 110, 40}, UIBS_DROPDOWN);  // strip: (10, 28) to (110, 40)
    Paint();
    // The 10 x 7 arrow is centred in the strip: x 55-64, y 30-36.
    EXPECT_LT(qRed(At(60, 32)), 120);
    EXPECT_EQ(At(60, 20), kWhite);
    EXPECT_EQ(At(20, 34), kWhite);
    root_.OnMouseMove(CPoint(20, 34));
    Paint();
    EXPECT_TRUE(Near(At(20, 34), 0xFF9B9B9B, 3)) << std::hex << At(20, 34);
    root_.OnMouseMove(CPoint(20, 15));
    Paint();
    EXPECT_TRUE(Near(At(20, 34), 0xFFFFFFFF, 1)) << "hovering the body leaves the strip";
}

TEST_F(ButtonTest, ACheckBoxDrawsItsGlyphForEachState) {
    CUIButton box;
    Place(box, {10, 10, 110, 30}, UIBS_CHECK);
    Paint();
    const QImage clear = surface_.copy(15, 12, 16, 16);
    box.SetCheck(1);
    Paint();
    const QImage ticked = surface_.copy(15, 12, 16, 16);
    EXPECT_NE(clear, ticked);
    EXPECT_EQ(At(14, 20), kWhite) << "the glyph starts 5 pixels in";
    EXPECT_LT(qRed(At(16, 20)), 200) << "the box's edge";
}

}  // namespace
