#pragma once

// What the hit codes of WM_NCHITTEST mean for the pointer: the edges a border drag moves, the
// cursor shown over each border, and the geometry a drag produces.

#include <QRect>
#include <Qt>

#include "gfx/wintypes.h"

// The edges named by a border hit code (HTLEFT ... HTBOTTOMRIGHT); none for other codes.
Qt::Edges EdgesForHitCode(LRESULT hit);

// The edges named by the low four bits of SC_SIZE (WMSZ_LEFT 1 ... WMSZ_BOTTOMRIGHT 8).
Qt::Edges EdgesForSizeCode(UINT code);

// The resize cursor for a border hit code; the arrow for every other code.
Qt::CursorShape CursorForHitCode(LRESULT hit);

// The geometry after the pointer moved by delta since a drag of start began: without edges the
// window moves; otherwise the named edges follow the pointer, and the opposite edges stay put
// while the size keeps at least minimum.
QRect DraggedGeometry(const QRect& start, Qt::Edges edges, QPoint delta, QSize minimum);
