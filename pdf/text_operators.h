#pragma once

// Content operators that show positioned glyphs of a Type0 font with two-byte codes.

#include <cstdint>
#include <span>
#include <string>

namespace pdf {

// One glyph as shaped. Distances are thousandths of the font size: width is the advance the
// font's /W entry gives the code, xAdvance the shaped advance, xOffset and yOffset the shaped
// displacement of this glyph.
struct GlyphPlacement {
    uint16_t code = 0;
    double width = 0;
    double xAdvance = 0;
    double xOffset = 0;
    double yOffset = 0;
};

// "[<code> adjustment <code> ...] TJ" for the glyphs at fontSize, with "Ts" wherever the vertical
// displacement changes and a final "0 Ts" when it was used (ISO 32000-1, 9.4.3, 9.3.7). The
// text position ends after the sum of xAdvance.
std::string ShowGlyphsOperators(std::span<const GlyphPlacement> glyphs, double fontSize);

}  // namespace pdf
