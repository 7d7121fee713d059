#include "text_operators.h"

#include <cmath>

#include "pdf_syntax.h"

namespace pdf {
namespace {

// Moves the PDF pen from where it is to where shaping wants it, inside a TJ array.
void AppendAdjustment(std::string& array, double& pen, double target) {
    const double adjustment = pen - target;
    if (std::fabs(adjustment) >= 0.001)
        array += Number(adjustment, 3) + " ";
    pen = target;
}

void AppendCode(std::string& array, uint16_t code) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    array += '<';
    for (int shift = 12; shift >= 0; shift -= 4)
        array += kHex[(code >> shift) & 0xF];
    array += "> ";
}

}  // namespace

std::string ShowGlyphsOperators(std::span<const GlyphPlacement> glyphs, double fontSize) {
    std::string operators;
    std::string array;
    double pdfPen = 0;     // where the PDF text position is, in thousandths of the size
    double shapedPen = 0;  // where shaping put the origin of the next glyph
    double rise = 0;
    auto flush = [&] {
        if (!array.empty())
            operators += "[" + array + "] TJ\n";
        array.clear();
    };
    for (const GlyphPlacement& glyph : glyphs) {
        if (glyph.yOffset != rise) {
            flush();
            rise = glyph.yOffset;
            operators += Number(rise * fontSize / 1000) + " Ts\n";
        }
        AppendAdjustment(array, pdfPen, shapedPen + glyph.xOffset);
        AppendCode(array, glyph.code);
        pdfPen += glyph.width;
        shapedPen += glyph.xAdvance;
    }
    AppendAdjustment(array, pdfPen, shapedPen);
    flush();
    if (rise != 0)
        operators += "0 Ts\n";
    return operators;
}

}  // namespace pdf
