// Static, link and image widgets: text placement, the link's underline on hover, and the
// image's natural, zoomed and icon looks.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QIcon>
#include <QPixmap>

#include "platform/text.h"
#include "temp_dir.h"
#include "tree_fixture.h"
#include "trellis/ui_image.h"
#include "trellis/ui_static.h"

namespace {

using ::testing::ElementsAre;

constexpr QRgb kPicture = 0xFF2060A0;

class WidgetsTest : public TreeTest {
protected:
    // A file holding a picture of one colour.
    std::wstring PictureFile(int width, int height) {
        QImage picture(width, height, QImage::Format_ARGB32);
        picture.fill(QColor::fromRgba(kPicture));
        const auto path = dir_ / ("picture" + std::to_string(width) + ".png");
        picture.save(QString::fromStdString(path.string()));
        return platform::FromUtf8(path.string());
    }

    testsupport::TempDir dir_;
};

TEST_F(WidgetsTest, AStaticCanCentreOneLineBothWays) {
    CUIStatic label;
    const RECT r{0, 0, 100, 60};
    label.Create(L"HHH", &r, &root_, 1);
    label.SetFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    Paint();
    const QRect ink = InkBounds();
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.left() + ink.width() / 2.0, 50, 1.5);
    EXPECT_NEAR(ink.top() + ink.height() / 2.0, 30, 3);
}

TEST_F(WidgetsTest, ALinkIsUnderlinedOnlyWhileThePointerIsOverIt) {
    CUILink link;
    const RECT r{0, 0, 100, 30};
    link.Create(L"HHHH", &r, &root_, 5);
    link.SetFormat(DT_SINGLELINE);
    Paint();
    const QRect plain = InkBounds();
    const QImage before = surface_.copy();

    root_.OnMouseMove(CPoint(10, 10));
    Paint();
    const QRect underlined = InkBounds();
    EXPECT_GT(underlined.bottom(), plain.bottom()) << "the underline lies below the letters";

    root_.OnMouseMove(CPoint(10, 60));
    Paint();
    EXPECT_EQ(surface_, before);

    EXPECT_EQ(root_.OnSetCursor(nullptr, CPoint(90, 25)), 1);
    EXPECT_THAT(sink_.cursors, ElementsAre(Qt::PointingHandCursor));
    sink_.Clear();
    root_.OnMouseLDown(CPoint(10, 10));
    root_.OnMouseLUp(CPoint(10, 10));
    EXPECT_THAT(sink_.log, ElementsAre("command 5"));
}

TEST_F(WidgetsTest, AutoZoomShrinksAWideImageAndFramesIt) {
    CUIImage image;
    const RECT r{0, 0, 80, 80};
    image.Create(nullptr, &r, &root_, 1);
    ASSERT_EQ(image.SetImage(PictureFile(100, 50).c_str()), 1);
    image.SetAutoZoom(1);
    Paint();
    // The picture: (2, 21) to (78, 59); the frame one pixel clear of it.
    EXPECT_EQ(At(40, 40), kPicture);
    EXPECT_EQ(At(2, 21), kPicture);
    EXPECT_EQ(At(77, 58), kPicture);
    EXPECT_EQ(At(40, 20), kWhite);
    EXPECT_TRUE(Near(At(40, 19), 0xFF8D8D8D, 2)) << std::hex << At(40, 19);
    EXPECT_TRUE(Near(At(40, 60), 0xFF8D8D8D, 2));
    EXPECT_TRUE(Near(At(0, 40), 0xFF8D8D8D, 2));
    EXPECT_TRUE(Near(At(79, 40), 0xFF8D8D8D, 2));
    EXPECT_EQ(At(1, 40), kWhite);
}

TEST_F(WidgetsTest, AutoZoomLeavesASmallImageAtItsSize) {
    CUIImage image;
    const RECT r{0, 0, 80, 80};
    image.Create(nullptr, &r, &root_, 1);
    image.SetImage(PictureFile(20, 10).c_str());
    image.SetAutoZoom(1);
    Paint();
    EXPECT_EQ(InkBounds(), QRect(QPoint(28, 33), QPoint(51, 46)));
    EXPECT_EQ(At(30, 35), kPicture);
    EXPECT_EQ(At(49, 44), kPicture);
    EXPECT_EQ(At(50, 44), kWhite);
}

TEST_F(WidgetsTest, WithoutZoomALargeImageIsCutAtTheObjectsEdges) {
    CUIImage image;
    const RECT r{10, 10, 50, 50};
    image.Create(nullptr, &r, &root_, 1);
    image.SetImage(PictureFile(100, 50).c_str());
    Paint();
    EXPECT_EQ(InkBounds(), QRect(QPoint(10, 10), QPoint(49, 49)));
}

TEST_F(WidgetsTest, AnIconWinsAndSitsAtTheTopLeft) {
    QPixmap green(32, 32);
    green.fill(Qt::green);
    const QIcon icon(green);
    CUIImage image;
    const RECT r{10, 10, 50, 50};
    image.Create(nullptr, &r, &root_, 1);
    EXPECT_EQ(image.SetImage(&icon), 1);
    image.SetImage(PictureFile(100, 50).c_str());
    image.SetBkColor(0x0000FF, 255);
    Paint();
    EXPECT_EQ(At(18, 18), 0xFF00FF00u);
    EXPECT_EQ(At(25, 25), 0xFF00FF00u);
    EXPECT_EQ(At(26, 26), 0xFFFF0000u) << "the background, not the image";
    EXPECT_EQ(image.SetImage(static_cast<HICON>(nullptr)), 0);
}

TEST_F(WidgetsTest, ATranslucentBackgroundAndFailedLoads) {
    CUIImage image;
    const RECT r{0, 0, 40, 40};
    image.Create(nullptr, &r, &root_, 1);
    image.SetBkColor(0x000000, 128);
    EXPECT_EQ(image.SetImage(L"/nonexistent/picture.png"), 0);
    EXPECT_EQ(image.SetImage(UINT{4711}), 0);
    Paint();
    EXPECT_TRUE(Near(At(20, 20), 0xFF7F7F7F)) << std::hex << At(20, 20);
    EXPECT_EQ(At(40, 40), kWhite);
}

}  // namespace
