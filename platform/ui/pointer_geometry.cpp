#include "pointer_geometry.h"

#include <algorithm>

#include "ui/window_messages.h"

namespace {

constexpr LRESULT kBorderToSizeCode = 9;  // WMSZ_* = border hit code - 9

}  // namespace

Qt::Edges EdgesForSizeCode(UINT code) {
    switch (code) {
        case 1:
            return Qt::LeftEdge;
        case 2:
            return Qt::RightEdge;
        case 3:
            return Qt::TopEdge;
        case 4:
            return Qt::TopEdge | Qt::LeftEdge;
        case 5:
            return Qt::TopEdge | Qt::RightEdge;
        case 6:
            return Qt::BottomEdge;
        case 7:
            return Qt::BottomEdge | Qt::LeftEdge;
        case 8:
            return Qt::BottomEdge | Qt::RightEdge;
        default:
            return {};
    }
}

Qt::Edges EdgesForHitCode(LRESULT hit) {
    if (hit < HTLEFT || hit > HTBOTTOMRIGHT) {
        return {};
    }
    return EdgesForSizeCode(static_cast<UINT>(hit - kBorderToSizeCode));
}

Qt::CursorShape CursorForHitCode(LRESULT hit) {
    const Qt::Edges edges = EdgesForHitCode(hit);
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        const bool falling =
            edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge);
        return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    if (horizontal) {
        return Qt::SizeHorCursor;
    }
    return vertical ? Qt::SizeVerCursor : Qt::ArrowCursor;
}

QRect DraggedGeometry(const QRect& start, Qt::Edges edges, QPoint delta, QSize minimum) {
    if (!edges) {
        return start.translated(delta);
    }
    int left = start.left();
    int top = start.top();
    int right = start.left() + start.width();
    int bottom = start.top() + start.height();
    if (edges & Qt::LeftEdge) {
        left = std::min(left + delta.x(), right - minimum.width());
    }
    if (edges & Qt::RightEdge) {
        right = std::max(right + delta.x(), left + minimum.width());
    }
    if (edges & Qt::TopEdge) {
        top = std::min(top + delta.y(), bottom - minimum.height());
    }
    if (edges & Qt::BottomEdge) {
        bottom = std::max(bottom + delta.y(), top + minimum.height());
    }
    return QRect(left, top, right - left, bottom - top);
}
