#pragma once

// Three rules for placing an image of a given size in an area. Halves are integer divisions
// that round toward zero.

#include "gfx/geometry.h"

// The image at its own size, centred on the area; it may extend beyond the area.
CRect FitCentre(const RECT& area, CSize image);

// As FitCentre when the image fits; otherwise scaled down uniformly to fit, centred, and
// clamped to the area. An area without width or height gives an empty rectangle at its corner.
CRect FitShrink(const RECT& area, CSize image);

// The size of the region, taken from the image's top-left corner, that has the area's aspect
// ratio and is as large as the image allows; stretched over the area it covers it without
// distortion. An area without width or height gives the whole image.
CSize FitCover(const RECT& area, CSize image);
