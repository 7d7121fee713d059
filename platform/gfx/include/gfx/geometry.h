#pragma once

// Point, size and rectangle classes over the host structures, with the few operations the
// toolkit uses. All coordinates are pixels; rectangles are half-open (right and bottom outside).

#include "gfx/wintypes.h"

class CPoint : public POINT {
public:
    constexpr CPoint() = default;
    constexpr CPoint(LONG px, LONG py) : POINT{px, py} {}
    constexpr CPoint(const POINT& p) : POINT(p) {}  // NOLINT: implicit like the host type

    friend constexpr CPoint operator+(CPoint a, POINT b) { return {a.x + b.x, a.y + b.y}; }
    friend constexpr CPoint operator-(CPoint a, POINT b) { return {a.x - b.x, a.y - b.y}; }
    friend constexpr bool operator==(CPoint a, CPoint b) { return a.x == b.x && a.y == b.y; }
};

class CSize : public SIZE {
public:
    constexpr CSize() = default;
    constexpr CSize(LONG width, LONG height) : SIZE{width, height} {}

    friend constexpr bool operator==(CSize a, CSize b) { return a.cx == b.cx && a.cy == b.cy; }
};

// True when p lies in r: left and top inclusive, right and bottom exclusive.
constexpr bool PtInRect(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

class CRect : public RECT {
public:
    constexpr CRect() = default;
    constexpr CRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
    constexpr CRect(const RECT& r) : RECT(r) {}  // NOLINT: implicit like the host type

    constexpr LONG Width() const { return right - left; }
    constexpr LONG Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    // True when the rectangle has no area (zero or negative width or height).
    constexpr bool IsRectEmpty() const { return Width() <= 0 || Height() <= 0; }
    constexpr bool PtInRect(POINT p) const { return ::PtInRect(*this, p); }

    // The part this rectangle shares with other; empty (IsRectEmpty) when none.
    constexpr CRect Intersected(const RECT& other) const {
        return {left > other.left ? left : other.left, top > other.top ? top : other.top,
                right < other.right ? right : other.right,
                bottom < other.bottom ? bottom : other.bottom};
    }

    constexpr void OffsetRect(LONG dx, LONG dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    constexpr void DeflateRect(LONG by) {
        left += by;
        top += by;
        right -= by;
        bottom -= by;
    }

    friend constexpr bool operator==(const CRect& a, const CRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};
