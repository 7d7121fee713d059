#pragma once

// The anchor arithmetic shared by object anchors and window anchors: each anchored edge takes
// a value; an axis with one anchored edge moves without changing size, an axis with both
// stretches, an axis with none keeps its coordinates.

#include <optional>

#include "gfx/wintypes.h"

struct AnchoredEdges {
    std::optional<LONG> left;
    std::optional<LONG> top;
    std::optional<LONG> right;
    std::optional<LONG> bottom;

    bool Any() const { return left || top || right || bottom; }
};

// The coordinate of rect's edge (ANCHOR_LEFT/TOP/RIGHT/BOTTOM); 0 for any other value.
LONG EdgeCoordinate(const RECT& rect, UINT edge);

// current moved and stretched by the anchored edges.
RECT ApplyAnchoredEdges(const RECT& current, const AnchoredEdges& edges);
