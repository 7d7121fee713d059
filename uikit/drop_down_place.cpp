#include "drop_down_place.h"

#include <algorithm>

CRect PlaceDropDown(const CRect& anchor, LONG width, LONG rowHeight, int rows, const CRect& work) {
    const LONG wanted = rowHeight * std::max(rows, 0);
    const LONG below = work.bottom - anchor.bottom;
    const LONG above = anchor.top - work.top;
    const bool down = wanted <= below || (wanted > above && below >= above);
    const LONG room = std::max(down ? below : above, rowHeight);
    const LONG height = std::min(wanted, room / rowHeight * rowHeight);
    const LONG left = std::max(work.left, std::min(anchor.left, work.right - width));
    const LONG top = down ? anchor.bottom : anchor.top - height;
    return CRect(left, top, left + width, top + height);
}
