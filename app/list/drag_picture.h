#pragma once

// The picture that follows the pointer while rows of the image list are dragged: one 20-pixel
// line per selected row (its position, a tab, its file name) in near-white on blue, at most ten
// of them and then a line "... N Item" with the number of selected rows. GUI thread only.

#include <QFont>
#include <QImage>
#include <QWidget>

constexpr int kDragLineHeight = 20;
constexpr int kDragMaxLines = 10;
// Where the picture sits relative to the pointer.
constexpr int kDragOffsetX = 10;
constexpr int kDragOffsetY = 14;

// lines: one text per selected row, in row order. Width: the widest of the (at most ten) row
// lines measured in font, plus 20.
QImage BuildDragPicture(const QStringList& lines, const QFont& font);

// A frameless window that shows the picture beside the pointer and lets the mouse through.
class DragPictureWindow : public QWidget {
public:
    explicit DragPictureWindow(QImage picture);

    // Shows the picture kDragOffsetX right of and kDragOffsetY below pointer (screen point).
    void FollowPointer(QPoint pointer);

    const QImage& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};
