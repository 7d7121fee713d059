#pragma once

// ImageListView: the item view behind the image list, a report-style QTreeView (full-row,
// extended selection) with the list's own row dragging and its drops from the file manager.
//
// Dragging rows: a press on a row and a move past the system's drag distance starts it. A
// picture of the selected rows follows the pointer; over the list the pointer is an up arrow
// and a 1-pixel black line marks where the rows will land (the top of the row under the
// pointer, or the bottom of the last row when no row is under it); elsewhere the pointer shows
// "no". Near the top or bottom edge the list scrolls, one row at most every 50 ms, also while
// the pointer rests. Releasing the button ends the drag and reports the row under the release
// point (-1: none, also outside the list) through Hooks::rowsDropped; the view itself moves
// nothing.
//
// GUI thread only.

#include <QElapsedTimer>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class DragPictureWindow;

class ImageListView : public QTreeView {
public:
    struct Hooks {
        std::function<void(int hitRow)> rowsDropped;
        std::function<void(const std::vector<std::wstring>& paths)> filesDropped;
    };

    explicit ImageListView(QWidget* parent = nullptr);
    ~ImageListView() override;

    void SetHooks(Hooks hooks) { hooks_ = std::move(hooks); }

    // The row at a point of the viewport, -1 when none.
    int HitRow(QPoint viewportPoint) const;

    // The drag picture while a drag is in progress, else null.
    const DragPictureWindow* DragPicture() const { return picture_.get(); }
    // The row the drop line is drawn for: a row, -1 for below the last row, -2 for no line.
    int DropLineRow() const { return lastHitRow_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ArmDrag(const QMouseEvent* event);
    void BeginDrag(QPoint pointer);
    void MoveDrag(QPoint pointer);
    void UpdateDrag();
    void EndDrag(QPoint pointer);
    bool IsOverList(QPoint pointer) const;
    void AutoScroll(int hitRow);
    int TopRow() const;
    int RowsPerPage() const;
    QRect RowRect(int row) const;
    QStringList SelectedRowLines() const;
    void AcceptFileDrop(QDragMoveEvent* event);

    Hooks hooks_;
    bool pressedOnRow_ = false;
    QPoint pressPoint_;
    bool dragging_ = false;
    int lastHitRow_ = -2;
    QPoint pointer_;  // screen point of the latest drag move
    std::unique_ptr<DragPictureWindow> picture_;
    QTimer dragTimer_;
    QElapsedTimer lastScroll_;
};
