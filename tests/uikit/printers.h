#pragma once

// Readable test output for the geometry types.

#include <ostream>

#include "gfx/geometry.h"

inline void PrintTo(const CRect& r, std::ostream* out) {
    *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

inline void PrintTo(const CSize& s, std::ostream* out) {
    *out << s.cx << " x " << s.cy;
}

inline void PrintTo(const CPoint& p, std::ostream* out) {
    *out << "(" << p.x << ", " << p.y << ")";
}
