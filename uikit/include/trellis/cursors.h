#pragma once

// The system cursors the toolkit names, as the host's integer resource names, and their Qt
// shapes.

#include <Qt>
#include <cstdint>
#include <optional>

#include "trellis/export.h"

inline const wchar_t* MAKEINTRESOURCEW(unsigned id) {
    return reinterpret_cast<const wchar_t*>(static_cast<std::uintptr_t>(id));
}

inline const wchar_t* const IDC_ARROW = MAKEINTRESOURCEW(32512);
inline const wchar_t* const IDC_UPARROW = MAKEINTRESOURCEW(32516);
inline const wchar_t* const IDC_NO = MAKEINTRESOURCEW(32648);
inline const wchar_t* const IDC_HAND = MAKEINTRESOURCEW(32649);

// The Qt shape for one of the cursor names above; nullopt for any other name.
TRELLIS_API std::optional<Qt::CursorShape> CursorShapeForName(const wchar_t* name);
