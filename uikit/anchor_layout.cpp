#include "anchor_layout.h"

#include "trellis/anchor_edges.h"

namespace {

// One axis: [low, high) with optional anchored values for either end.
void PlaceAxis(LONG& low, LONG& high, std::optional<LONG> newLow, std::optional<LONG> newHigh) {
    if (newLow && newHigh) {
        low = *newLow;
        high = *newHigh;
    } else if (newLow) {
        high += *newLow - low;
        low = *newLow;
    } else if (newHigh) {
        low += *newHigh - high;
        high = *newHigh;
    }
}

}  // namespace

LONG EdgeCoordinate(const RECT& rect, UINT edge) {
    switch (edge) {
        case ANCHOR_LEFT:
            return rect.left;
        case ANCHOR_TOP:
            return rect.top;
        case ANCHOR_RIGHT:
            return rect.right;
        case ANCHOR_BOTTOM:
            return rect.bottom;
        default:
            return 0;
    }
}

RECT ApplyAnchoredEdges(const RECT& current, const AnchoredEdges& edges) {
    RECT placed = current;
    PlaceAxis(placed.left, placed.right, edges.left, edges.right);
    PlaceAxis(placed.top, placed.bottom, edges.top, edges.bottom);
    return placed;
}
