#pragma once

// The toolkit's built-in glyphs, loaded from its own resources on first use and kept for the
// life of the process. User-interface thread only.

#include "gfx/geometry.h"
#include "gfx/image.h"

constexpr unsigned kGlyphStripId = 2000;     // 66 x 128: caption buttons and check boxes
constexpr unsigned kDropDownArrowId = 2001;  // 10 x 7

// Caption-button glyphs in the strip.
constexpr CRect kMinimizeGlyph{4, 6, 16, 18};
constexpr CRect kRestoreGlyph{27, 6, 41, 18};
constexpr CRect kCloseGlyph{49, 6, 61, 18};
constexpr CRect kMaximizeGlyph{22, 54, 44, 66};
constexpr CRect kSkinGlyph{22, 70, 44, 86};
constexpr CRect kMenuGlyph{49, 70, 61, 82};

// Check-box glyphs in the strip, 16 x 16 each.
constexpr CRect kCheckClearGlyph{5, 52, 21, 68};
constexpr CRect kCheckTickedGlyph{5, 71, 21, 87};

// Empty images when the resources are missing; callers then draw no glyph.
const CImage& GlyphStrip();
const CImage& DropDownArrow();
