#pragma once

// Flags that say how text is placed in a rectangle (the values of the host's DrawText flags).
// Honoured: horizontal alignment, vertical centring, single line and the three ellipsis modes;
// other bits are ignored.

#include "gfx/wintypes.h"

constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;  // wins over DT_CENTER
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_NOCLIP = 0x100;  // treated as DT_SINGLELINE; the text is clipped either way
constexpr UINT DT_PATH_ELLIPSIS = 0x4000;
constexpr UINT DT_END_ELLIPSIS = 0x8000;
constexpr UINT DT_WORD_ELLIPSIS = 0x40000;
