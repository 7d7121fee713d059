#pragma once

// Edge flags shared by object anchors (CUIObject::Anchor) and window anchors (CWndAnchor).
// Any other value names no edge and contributes the coordinate 0.

#include "gfx/wintypes.h"

constexpr UINT ANCHOR_LEFT = 1;
constexpr UINT ANCHOR_TOP = 2;
constexpr UINT ANCHOR_RIGHT = 4;
constexpr UINT ANCHOR_BOTTOM = 8;
constexpr UINT ANCHOR_NONE = 0xFFFFFFFF;
