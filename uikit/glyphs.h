#pragma once

// The toolkit's built-in glyphs, loaded from its own resources on first use and kept for the
// life of the process. User-interface thread only.

#include "gfx/geometry.h"
#include "gfx/image.h"

constexpr unsigned kGlyphStripId = 2000;     // 66 x 128: caption buttons and check boxes
constexpr unsigned kDropDownArrowId = 2001;  // 10 x 7

// Check-box glyphs in the strip, 16 x 16 each.
constexpr CRect kCheckClearGlyph{5, 52, 21, 68};
constexpr CRect kCheckTickedGlyph{5, 71, 21, 87};

// Empty images when the resources are missing; callers then draw no glyph.
const CImage& GlyphStrip();
const CImage& DropDownArrow();
