#include "trellis/cursors.h"

std::optional<Qt::CursorShape> CursorShapeForName(const wchar_t* name) {
    if (name == IDC_ARROW) {
        return Qt::ArrowCursor;
    }
    if (name == IDC_UPARROW) {
        return Qt::UpArrowCursor;
    }
    if (name == IDC_NO) {
        return Qt::ForbiddenCursor;
    }
    if (name == IDC_HAND) {
        return Qt::PointingHandCursor;
    }
    return std::nullopt;
}
