// Pictures of the list for people to look at, in build/artefacts: twelve probed rows, and a
// drag in progress with its picture and drop line.

#include <QPainter>
#include <QTest>

#include "drag_picture.h"
#include "image_list_view.h"
#include "list_fixture.h"
#include "sample_images.h"
#include "test_images.h"

namespace {

namespace fs = std::filesystem;

class ScreenshotTest : public ListTest {
protected:
    void AddTwelveImages() {
        fs::create_directories(dir_ / "trip" / "day 3");
        const char* made[][2] = {{"harbour 2.jpg",
                                  "-size 640x480 xc:navy -density 300 -units "
                                  "PixelsPerInch"},
                                 {"harbour 10.png", "-size 320x200 xc:teal"},
                                 {"logo.gif", "-size 64x64 xc:orange"},
                                 {"scan-0001.tif",
                                  "-size 850x1100 xc:white -density 150 "
                                  "-units PixelsPerInch"}};
        for (const auto& [name, arguments] : made) {
            ASSERT_TRUE(testsupport::MakeImage(dir_ / "trip" / name, arguments));
            list_->AddFile(Wide(dir_ / "trip" / name));
        }
        for (int n = 1; n <= 7; ++n) {
            const fs::path file = dir_ / "trip" / "day 3" / ("IMG_00" + std::to_string(n) + ".bmp");
            WriteBmp(file, 40 * n, 30 * n);
            list_->AddFile(Wide(file));
        }
        testsupport::WriteFile(dir_ / "trip" / "damaged.jpg", "not an image");
        list_->AddFile(Wide(dir_ / "trip" / "damaged.jpg"));
    }

    static void Save(const QImage& image, const std::string& name) {
        fs::create_directories(ARTEFACTS_DIR);
        ASSERT_TRUE(image.save(QString::fromStdString(std::string(ARTEFACTS_DIR) + "/" + name)));
    }
};

TEST_F(ScreenshotTest, TwelveProbedRows) {
    AddTwelveImages();
    ASSERT_EQ(list_->GetItemCount(), 12);
    list_->StartSizeProbe();
    ASSERT_TRUE(WaitForProbe());
    EXPECT_EQ(list_->GetItemText(0, kColumnSize), L"640*480");
    EXPECT_EQ(list_->GetItemText(0, kColumnDpi), L"300");
    Save(parent_.grab().toImage(), "image-list-rows.png");
}

TEST_F(ScreenshotTest, DragInProgress) {
    AddTwelveImages();
    list_->StartSizeProbe();
    ASSERT_TRUE(WaitForProbe());
    Select({3, 4, 5});
    ImageListView* view = list_->View();
    const QPoint to = RowPoint(8) + QPoint(0, 4);
    DragRowTo(3, to);
    ASSERT_NE(view->DragPicture(), nullptr);
    EXPECT_EQ(view->DropLineRow(), 8);

    QImage shot = parent_.grab().toImage();
    QPainter painter(&shot);
    const DragPictureWindow* picture = view->DragPicture();
    painter.drawImage(parent_.mapFromGlobal(picture->pos()), picture->Picture());
    painter.end();
    Save(shot, "image-list-drag.png");
    Release(to);
}

}  // namespace
