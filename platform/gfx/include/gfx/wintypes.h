#pragma once

// The host's scalar, handle and geometry types that the toolkit's operations are written in.
// Sizes follow the host's 64-bit conventions: WPARAM and LPARAM are wide enough for a pointer.

#include <cstdint>

class QIcon;

using BOOL = int;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using COLORREF = std::uint32_t;  // 0x00BBGGRR
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// A top-level window of the window layer. The layer defines the structure; everything else
// only passes the handle along.
struct HWND__;
using HWND = HWND__*;

// An icon is a Qt icon owned by whoever hands out the handle.
using HICON = const QIcon*;

struct POINT {
    LONG x = 0;
    LONG y = 0;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
};

// Left and top are inside, right and bottom outside the rectangle.
struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};

constexpr WPARAM MAKEWPARAM(UINT low, UINT high) {
    return static_cast<WPARAM>((low & 0xFFFFu) | ((high & 0xFFFFu) << 16));
}

constexpr UINT LOWORD(std::uintptr_t value) {
    return static_cast<UINT>(value & 0xFFFFu);
}

constexpr UINT HIWORD(std::uintptr_t value) {
    return static_cast<UINT>((value >> 16) & 0xFFFFu);
}
