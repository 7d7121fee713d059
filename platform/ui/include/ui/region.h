#pragma once

// Window shapes: a rounded rectangle as a region, and a one-pixel frame along a region's edge.

#include <QRegion>

#include "gfx/dc.h"
#include "trellis/export.h"

// The rectangle (left, top) - (right, bottom) (right and bottom outside) with corners cut along
// an ellipse of ellipseWidth x ellipseHeight pixels: a pixel belongs when its centre lies inside
// the corner's ellipse. A 3 x 3 ellipse takes off exactly the four corner pixels. An empty
// rectangle gives an empty region.
TRELLIS_API QRegion CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth,
                                       int ellipseHeight);

// Paints, in colour (a colour reference, opaque), every pixel of region that has a 4-neighbour
// outside it: a one-pixel frame inside the region's edge. An empty region draws nothing.
TRELLIS_API void FrameRgn(CDC* dc, const QRegion& region, COLORREF colour);
