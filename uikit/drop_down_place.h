#pragma once

// Where a drop-down list goes: next to its owner, on the owner's screen.

#include "gfx/geometry.h"

// The list's rectangle (screen coordinates) for an owner at anchor, a list width x rowHeight x
// rows, and the work area of the owner's screen: below the owner when every row fits there,
// else above it when they fit there, else on the side with more room holding as many whole rows
// as fit (at least one). The list is kept inside the work area horizontally where it can be.
CRect PlaceDropDown(const CRect& anchor, LONG width, LONG rowHeight, int rows, const CRect& work);
