#pragma once

// A font as used in one document: the glyphs shown so far and, at the end, the font objects
// with a subset of the font program (ISO 32000-1, 9.7: Type0 font, CIDFont, descriptor,
// embedded program, ToUnicode map).

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "font_program.h"
#include "object_writer.h"

namespace pdf {

class EmbeddedFont {
public:
    // id is the reserved number of the Type0 font object that pages refer to.
    EmbeddedFont(std::unique_ptr<FontProgram> program, uint32_t id);

    uint32_t id() const { return id_; }

    // Shapes text[start, start + length) in one direction (the rest of text is context) and
    // returns the operators that show it at fontSize, left to right (inside BT/ET, with the
    // font selected). advance receives the width of the piece in points.
    std::string ShowTextOperators(std::u32string_view text, size_t start, size_t length,
                                  bool rightToLeft, double fontSize, double& advance);
    // True when the font has a glyph of its own for the character.
    bool Covers(char32_t character) const { return program_->HasGlyphFor(character); }

    // Writes the font objects; a font that showed nothing is not written.
    void Write(ObjectWriter& writer) const;

private:
    struct UsedGlyph {
        uint32_t glyph = 0;
        double width = 0;  // thousandths of the em
        std::u32string text;
    };

    void Remember(const ShapedGlyph& glyph, std::u32string text);
    std::string SubsetTag() const;
    uint32_t WriteCidFont(ObjectWriter& writer, const std::string& baseFont) const;
    uint32_t WriteToUnicode(ObjectWriter& writer) const;
    uint32_t WriteProgram(ObjectWriter& writer, const FontSubset& subset) const;
    uint32_t WriteGlyphMap(ObjectWriter& writer, const FontSubset& subset) const;
    uint32_t WriteDescriptor(ObjectWriter& writer, const std::string& baseFont,
                             uint32_t programId) const;
    std::string WidthsArray() const;

    std::unique_ptr<FontProgram> program_;
    uint32_t id_;
    std::map<uint16_t, UsedGlyph> used_;  // by code
};

}  // namespace pdf
