// Moving rows by dragging them inside the list: where they land, what the parent hears, the
// picture that follows the pointer, the drop line and scrolling near the edges.

#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include "drag_picture.h"
#include "image_list_view.h"
#include "list_fixture.h"

namespace {

class DragTest : public ListTest {
protected:
    ImageListView* View() const { return list_->View(); }
    QWidget* Viewport() const { return View()->viewport(); }
};

TEST_F(DragTest, RowsFiveAndSevenDroppedOnRowTwoLandBeforeIt) {
    AddNumbered(8);
    Select({4, 6});
    DragRowTo(4, RowPoint(1));
    EXPECT_EQ(View()->DropLineRow(), 1);
    Release(RowPoint(1));

    EXPECT_EQ(NamesInOrder(), (std::vector<int>{1, 5, 7, 2, 3, 4, 6, 8}));
    const auto moved = parent_.Of(LVN_ROWSMOVED);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].item, 1) << "the row under the drop point";
    EXPECT_EQ(Column(kColumnPosition)[7], L"8") << "the parent renumbered";
    EXPECT_EQ(list_->GetSelectedRows(), (std::vector<int>{1, 2})) << "the moved rows stay selected";
    EXPECT_EQ(View()->DragPicture(), nullptr);
}

TEST_F(DragTest, ReleasingBelowTheLastRowOrOutsideTheListMovesRowsToTheEnd) {
    AddNumbered(5);
    Select({0, 2});
    const QPoint belowRows(40, Viewport()->height() - 5);
    DragRowTo(0, belowRows);
    EXPECT_EQ(View()->DropLineRow(), -1) << "the line sits under the last row";
    Release(belowRows);
    EXPECT_EQ(NamesInOrder(), (std::vector<int>{2, 4, 5, 1, 3}));
    EXPECT_EQ(parent_.Of(LVN_ROWSMOVED).back().item, -1);

    Select({0});
    const QPoint outside(Viewport()->width() + 300, -200);
    DragRowTo(0, outside);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    Release(outside);
    EXPECT_EQ(NamesInOrder(), (std::vector<int>{4, 5, 1, 3, 2}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the pointer is restored";
}

TEST_F(DragTest, ThePictureShowsTenRowsAndACountInBlue) {
    AddNumbered(12);
    View()->selectAll();
    DragRowTo(3, RowPoint(5));
    const DragPictureWindow* picture = View()->DragPicture();
    ASSERT_NE(picture, nullptr);
    const QImage& image = picture->Picture();
    EXPECT_EQ(image.height(), 11 * kDragLineHeight) << "ten rows and the summary line";
    EXPECT_EQ(image.pixelColor(1, 1), QColor(0, 100, 255));
    EXPECT_TRUE(picture->isVisible());
    EXPECT_EQ(picture->pos(), Viewport()->mapToGlobal(RowPoint(5)) + QPoint(10, 14));
    int textPixels = 0;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            textPixels += image.pixelColor(x, y).red() > 200 ? 1 : 0;
        }
    }
    EXPECT_GT(textPixels, 50);
    Release(RowPoint(5));

    QStringList lines{QStringLiteral("1\tshort.jpg"), QStringLiteral("2\ta-much-longer-name.jpg")};
    const QImage two = BuildDragPicture(lines, View()->font());
    const QFontMetrics metrics(View()->font());
    EXPECT_EQ(two.height(), 2 * kDragLineHeight);
    EXPECT_EQ(two.width(),
              metrics.size(Qt::TextExpandTabs | Qt::TextSingleLine, lines[1]).width() + 20);
}

TEST_F(DragTest, HoldingThePointerNearTheBottomScrollsAtMostEveryFiftyMilliseconds) {
    AddNumbered(100);
    QScrollBar* bar = View()->verticalScrollBar();
    ASSERT_EQ(bar->value(), 0);
    const QPoint bottom(40, Viewport()->height() - 3);
    const int bottomRow = View()->HitRow(bottom);
    ASSERT_GT(bottomRow, 3);
    DragRowTo(0, bottom);
    const int afterFirstStep = bar->value();
    EXPECT_GT(afterFirstStep, 0);
    Mouse(QEvent::MouseMove, bottom - QPoint(0, 1), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(bar->value(), afterFirstStep) << "a second step within 50 ms waits";
    QTest::qWait(300);  // the pointer rests: the drag timer keeps scrolling
    EXPECT_GT(bar->value(), afterFirstStep);
    Release(bottom);
}

TEST_F(DragTest, APlainClickSelectsWithoutMovingAnything) {
    AddNumbered(3);
    Select({0, 1});
    Mouse(QEvent::MouseButtonPress, RowPoint(2), Qt::LeftButton, Qt::LeftButton);
    Release(RowPoint(2));
    EXPECT_EQ(list_->GetSelectedRows(), std::vector<int>{2});
    EXPECT_TRUE(parent_.Of(LVN_ROWSMOVED).empty());
    EXPECT_EQ(NamesInOrder(), (std::vector<int>{1, 2, 3}));
}

}  // namespace
