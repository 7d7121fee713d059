#pragma once

// An installed font file opened with HarfBuzz: shaping, metrics and subsetting.

#include <hb-subset.h>
#include <hb.h>

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "font_locator.h"

namespace pdf {

// One shaped glyph; distances in font units.
struct ShapedGlyph {
    uint32_t glyph = 0;
    uint32_t cluster = 0;  // index of the first code point of its cluster
    int32_t xAdvance = 0;
    int32_t xOffset = 0;
    int32_t yOffset = 0;
};

// Descriptor values in thousandths of the em (ISO 32000-1, 9.8).
struct FontMetrics {
    double ascent = 0;
    double descent = 0;
    double capHeight = 0;
    double italicAngle = 0;
    double bbox[4] = {0, 0, 0, 0};
};

// How the outlines are stored, which decides how PDF selects glyphs (ISO 32000-1, 9.7.4).
enum class Outlines {
    kTrueType,      // glyf: codes are glyph indexes, mapped to the subset by CIDToGIDMap
    kCidKeyedCff,   // CID-keyed CFF: codes are CIDs, which the subset keeps
    kNameKeyedCff,  // name-keyed CFF: codes are glyph indexes, which the subset keeps
};

// A font program reduced to some glyphs.
struct FontSubset {
    std::string program;  // bytes to embed: the font file, or the bare CFF table when CID-keyed
    std::vector<uint16_t> glyphOfCode;  // kTrueType: subset glyph index of each code
};

class FontProgram {
public:
    // Opens face location.index of location.file. Throws Failure (kErrorFont) when the file
    // is not a usable outline font (CFF2 outlines included); variable TrueType fonts are used
    // in their default instance.
    explicit FontProgram(const FontLocation& location);
    FontProgram(const FontProgram&) = delete;
    FontProgram& operator=(const FontProgram&) = delete;

    // Shapes text[start, start + length) in the given direction, the rest of text serving as
    // context (for joining scripts). Glyphs come in visual order, left to right; clusters are
    // indexes into text.
    std::vector<ShapedGlyph> Shape(std::u32string_view text, size_t start, size_t length,
                                   bool rightToLeft) const;
    // True when the font maps the character to a glyph of its own.
    bool HasGlyphFor(char32_t character) const;
    unsigned unitsPerEm() const { return unitsPerEm_; }
    int32_t Advance(uint32_t glyph) const;
    Outlines outlines() const { return outlines_; }
    // The code a content stream uses for the glyph: its CID in a CID-keyed CFF font, else its
    // glyph index.
    uint16_t CodeOf(uint32_t glyph) const;
    std::string PostScriptName() const;
    FontMetrics Metrics() const;
    // The font reduced to the given glyphs (and .notdef), layout tables dropped. Throws Failure
    // (kErrorFont) when subsetting fails.
    FontSubset Subset(const std::set<uint32_t>& glyphs) const;

private:
    template <typename T, void (*Destroy)(T*)>
    struct Deleter {
        void operator()(T* object) const { Destroy(object); }
    };
    using Blob = std::unique_ptr<hb_blob_t, Deleter<hb_blob_t, hb_blob_destroy>>;
    using Face = std::unique_ptr<hb_face_t, Deleter<hb_face_t, hb_face_destroy>>;
    using Font = std::unique_ptr<hb_font_t, Deleter<hb_font_t, hb_font_destroy>>;

    Blob Table(const char* tag) const;
    hb_subset_input_t* SubsetInput(const std::set<uint32_t>& glyphs) const;

    Blob blob_;
    Face face_;
    Font font_;
    unsigned unitsPerEm_ = 1000;
    Outlines outlines_ = Outlines::kTrueType;
    std::vector<uint16_t> glyphCids_;  // empty unless CID-keyed CFF
};

}  // namespace pdf
