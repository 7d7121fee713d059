#pragma once

// The pointer position the window layer reports (GetCursorPos): that of the latest mouse event
// one of its windows received. GUI thread only.

#include <QPoint>

void NotePointerPosition(QPoint global);
