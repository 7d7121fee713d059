#include "image_list_view.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "drag_picture.h"
#include "file_drop.h"

namespace {
constexpr int kScrollStepMs = 50;
}

ImageListView::ImageListView(QWidget* parent) : QTreeView(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setAcceptDrops(true);
    setSortingEnabled(false);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(true);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    dragTimer_.setInterval(kScrollStepMs);
    QObject::connect(&dragTimer_, &QTimer::timeout, this, [this] { UpdateDrag(); });
}

ImageListView::~ImageListView() {
    if (dragging_) {
        QApplication::restoreOverrideCursor();
    }
}

int ImageListView::HitRow(QPoint viewportPoint) const {
    if (!viewport()->rect().contains(viewportPoint)) {
        return -1;
    }
    // Any column will do: the whole row counts, also right of the last column.
    const QModelIndex index = indexAt(QPoint(0, viewportPoint.y()));
    return index.isValid() ? index.row() : -1;
}

void ImageListView::mousePressEvent(QMouseEvent* event) {
    QTreeView::mousePressEvent(event);
    ArmDrag(event);
}

// A quick second press reaches the view as a double click; it may start a drag all the same.
void ImageListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    ArmDrag(event);
}

void ImageListView::ArmDrag(const QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    pressedOnRow_ = event->button() == Qt::LeftButton && indexAt(point).isValid();
    pressPoint_ = point;
}

void ImageListView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if (dragging_ && !(event->buttons() & Qt::LeftButton)) {
        EndDrag(global);  // the release went elsewhere (a grab ended); it still ends the drag
        return;
    }
    if (dragging_) {
        MoveDrag(global);
        return;
    }
    // After a press on a row, moving is a drag in the making, never a selection by dragging
    // (which would drop the rows selected before the press).
    if (pressedOnRow_ && (event->buttons() & Qt::LeftButton)) {
        const QPoint point = event->position().toPoint();
        if ((point - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
            BeginDrag(global);
        }
        return;
    }
    QTreeView::mouseMoveEvent(event);
}

void ImageListView::mouseReleaseEvent(QMouseEvent* event) {
    pressedOnRow_ = false;
    if (dragging_ && event->button() == Qt::LeftButton) {
        EndDrag(event->globalPosition().toPoint());
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}

void ImageListView::BeginDrag(QPoint pointer) {
    const QModelIndex pressed = indexAt(pressPoint_);
    if (pressed.isValid() && !selectionModel()->isSelected(pressed)) {
        selectionModel()->select(pressed,
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    lastHitRow_ = -2;
    picture_ = std::make_unique<DragPictureWindow>(BuildDragPicture(SelectedRowLines(), font()));
    dragging_ = true;
    setState(QAbstractItemView::NoState);
    QApplication::setOverrideCursor(Qt::UpArrowCursor);
    dragTimer_.start();
    MoveDrag(pointer);
}

void ImageListView::MoveDrag(QPoint pointer) {
    pointer_ = pointer;
    picture_->FollowPointer(pointer);
    if (IsOverList(pointer)) {
        UpdateDrag();
    } else {
        QApplication::changeOverrideCursor(Qt::ForbiddenCursor);
    }
}

// Runs on every move over the list and on the drag timer, so the list keeps scrolling while
// the pointer rests near an edge.
void ImageListView::UpdateDrag() {
    if (!dragging_ || !IsOverList(pointer_)) {
        return;
    }
    QApplication::changeOverrideCursor(Qt::UpArrowCursor);
    const int hit = HitRow(viewport()->mapFromGlobal(pointer_));
    if (hit != lastHitRow_) {
        lastHitRow_ = hit;
        viewport()->update();
    }
    AutoScroll(hit);
}

void ImageListView::EndDrag(QPoint pointer) {
    dragging_ = false;
    dragTimer_.stop();
    QApplication::restoreOverrideCursor();
    picture_.reset();
    lastHitRow_ = -2;
    viewport()->update();
    const int hit = HitRow(viewport()->mapFromGlobal(pointer));
    if (hooks_.rowsDropped) {
        hooks_.rowsDropped(hit);
    }
}

bool ImageListView::IsOverList(QPoint pointer) const {
    const QWidget* under = QApplication::widgetAt(pointer);
    if (under) {
        return under == this || isAncestorOf(under);
    }
    // Without a window system answer (an offscreen screen), the list's own rectangle decides.
    return rect().contains(mapFromGlobal(pointer));
}

void ImageListView::AutoScroll(int hitRow) {
    if (hitRow <= 0 || (lastScroll_.isValid() && lastScroll_.elapsed() <= kScrollStepMs)) {
        return;
    }
    const int top = TopRow();
    const int perPage = RowsPerPage();
    int target = -1;
    if (hitRow == top) {
        target = hitRow - 1;
    } else if (hitRow >= top + perPage - 1) {
        target = std::min(top + perPage + 1, model()->rowCount() - 1);
    }
    if (target >= 0) {
        scrollTo(model()->index(target, 0));
        lastScroll_.restart();
    }
}

int ImageListView::TopRow() const {
    const QModelIndex top = indexAt(QPoint(0, 0));
    return top.isValid() ? top.row() : 0;
}

int ImageListView::RowsPerPage() const {
    const int height = model()->rowCount() > 0 ? rowHeight(model()->index(0, 0)) : 0;
    return height > 0 ? std::max(1, viewport()->height() / height) : 1;
}

QRect ImageListView::RowRect(int row) const {
    const QRect first = visualRect(model()->index(row, 0));
    const QRect last = visualRect(model()->index(row, model()->columnCount() - 1));
    return first.united(last);
}

void ImageListView::paintEvent(QPaintEvent* event) {
    QTreeView::paintEvent(event);
    const int rows = model() ? model()->rowCount() : 0;
    if (!dragging_ || lastHitRow_ == -2 || rows == 0) {
        return;
    }
    const bool onRow = lastHitRow_ >= 0 && lastHitRow_ < rows;
    const QRect row = RowRect(onRow ? lastHitRow_ : rows - 1);
    const int y = onRow ? row.top() : row.bottom();
    QPainter painter(viewport());
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(row.left(), y, row.right(), y);
}

QStringList ImageListView::SelectedRowLines() const {
    QModelIndexList selected = selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList lines;
    for (const QModelIndex& index : selected) {
        lines.push_back(index.data().toString() + QLatin1Char('\t') +
                        index.siblingAtColumn(1).data().toString());
    }
    return lines;
}

void ImageListView::AcceptFileDrop(QDragMoveEvent* event) {
    if (HasDroppedPaths(*event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void ImageListView::dragEnterEvent(QDragEnterEvent* event) {
    AcceptFileDrop(event);
}

void ImageListView::dragMoveEvent(QDragMoveEvent* event) {
    AcceptFileDrop(event);
}

void ImageListView::dropEvent(QDropEvent* event) {
    const std::vector<std::wstring> paths = DroppedPaths(*event->mimeData());
    if (paths.empty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    if (hooks_.filesDropped) {
        hooks_.filesDropped(paths);
    }
}
