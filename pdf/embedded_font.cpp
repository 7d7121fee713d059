#include "embedded_font.h"

#include <algorithm>
#include <set>
#include <vector>

#include "deflate_stream.h"
#include "pdf_syntax.h"
#include "text_operators.h"
#include "to_unicode.h"

namespace pdf {
namespace {

// The text of each glyph's cluster, clusters ending at end at the latest; a cluster shown by
// several glyphs gives its text to the first of them.
std::vector<std::u32string> ClusterTexts(const std::vector<ShapedGlyph>& glyphs,
                                         std::u32string_view text, size_t end) {
    std::set<uint32_t> starts;
    for (const ShapedGlyph& glyph : glyphs)
        starts.insert(glyph.cluster);
    std::vector<std::u32string> texts(glyphs.size());
    std::set<uint32_t> given;
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const uint32_t start = glyphs[i].cluster;
        if (!given.insert(start).second)
            continue;
        const auto next = starts.upper_bound(start);
        const size_t clusterEnd = next == starts.end() ? end : *next;
        texts[i] = std::u32string(text.substr(start, clusterEnd - start));
    }
    return texts;
}

}  // namespace

EmbeddedFont::EmbeddedFont(std::unique_ptr<FontProgram> program, uint32_t id)
    : program_(std::move(program)), id_(id) {}

std::string EmbeddedFont::ShowTextOperators(std::u32string_view text, size_t start, size_t length,
                                            bool rightToLeft, double fontSize, double& advance) {
    const std::vector<ShapedGlyph> shaped = program_->Shape(text, start, length, rightToLeft);
    const std::vector<std::u32string> texts = ClusterTexts(shaped, text, start + length);
    const double scale = 1000.0 / program_->unitsPerEm();
    std::vector<GlyphPlacement> placements;
    double total = 0;
    for (size_t i = 0; i < shaped.size(); ++i) {
        Remember(shaped[i], texts[i]);
        const uint16_t code = program_->CodeOf(shaped[i].glyph);
        placements.push_back({code, used_[code].width, shaped[i].xAdvance * scale,
                              shaped[i].xOffset * scale, shaped[i].yOffset * scale});
        total += shaped[i].xAdvance * scale;
    }
    advance = total * fontSize / 1000;
    return ShowGlyphsOperators(placements, fontSize);
}

void EmbeddedFont::Remember(const ShapedGlyph& glyph, std::u32string text) {
    const uint16_t code = program_->CodeOf(glyph.glyph);
    UsedGlyph& used = used_[code];
    if (used.text.empty())
        used.text = std::move(text);
    used.glyph = glyph.glyph;
    used.width = program_->Advance(glyph.glyph) * 1000.0 / program_->unitsPerEm();
}

void EmbeddedFont::Write(ObjectWriter& writer) const {
    if (used_.empty())
        return;
    const std::string baseFont = SubsetTag() + "+" + program_->PostScriptName();
    const uint32_t cidFontId = WriteCidFont(writer, baseFont);
    const uint32_t toUnicodeId = WriteToUnicode(writer);
    writer.WriteObject(id_, "<</Type /Font /Subtype /Type0 /BaseFont " + Name(baseFont) +
                                " /Encoding /Identity-H /DescendantFonts [" + Reference(cidFontId) +
                                "] /ToUnicode " + Reference(toUnicodeId) + ">>");
}

uint32_t EmbeddedFont::WriteCidFont(ObjectWriter& writer, const std::string& baseFont) const {
    std::set<uint32_t> glyphs;
    for (const auto& [code, used] : used_)
        glyphs.insert(used.glyph);
    const FontSubset subset = program_->Subset(glyphs);
    const bool trueType = program_->outlines() == Outlines::kTrueType;
    const uint32_t descriptorId = WriteDescriptor(writer, baseFont, WriteProgram(writer, subset));
    std::string cidFont = "<</Type /Font /Subtype " +
                          std::string(trueType ? "/CIDFontType2" : "/CIDFontType0") +
                          " /BaseFont " + Name(baseFont) +
                          " /CIDSystemInfo <</Registry (Adobe) /Ordering (Identity) "
                          "/Supplement 0>> /FontDescriptor " +
                          Reference(descriptorId) + " /DW 1000 /W " + WidthsArray();
    if (trueType)
        cidFont += " /CIDToGIDMap " + Reference(WriteGlyphMap(writer, subset));
    return writer.AddObject(cidFont + ">>");
}

uint32_t EmbeddedFont::WriteToUnicode(ObjectWriter& writer) const {
    // .notdef stands for every character the font lacks, so it maps to no text.
    std::map<uint16_t, std::u32string> texts;
    for (const auto& [code, used] : used_) {
        if (used.glyph != 0)
            texts[code] = used.text;
    }
    const uint32_t id = writer.Allocate();
    WriteDeflated(writer, id, "", ToUnicodeCMap(texts));
    return id;
}

// Six capital letters naming this subset (9.6.4), derived from the glyphs it holds.
std::string EmbeddedFont::SubsetTag() const {
    uint64_t hash = 14695981039346656037ULL;
    for (const auto& [code, used] : used_)
        hash = (hash ^ used.glyph) * 1099511628211ULL;
    std::string tag;
    for (int i = 0; i < 6; ++i, hash /= 26)
        tag += static_cast<char>('A' + hash % 26);
    return tag;
}

uint32_t EmbeddedFont::WriteProgram(ObjectWriter& writer, const FontSubset& subset) const {
    std::string entries;
    switch (program_->outlines()) {
        case Outlines::kTrueType:
            entries = "/Length1 " + std::to_string(subset.program.size());
            break;
        case Outlines::kCidKeyedCff:
            entries = "/Subtype /CIDFontType0C";
            break;
        case Outlines::kNameKeyedCff:
            entries = "/Subtype /OpenType";  // PDF 1.6 (9.9)
            break;
    }
    const uint32_t id = writer.Allocate();
    WriteDeflated(writer, id, entries, subset.program);
    return id;
}

// Two bytes per code: the subset's glyph index (9.7.4.2, Table 117).
uint32_t EmbeddedFont::WriteGlyphMap(ObjectWriter& writer, const FontSubset& subset) const {
    std::string map;
    for (const uint16_t glyph : subset.glyphOfCode) {
        map += static_cast<char>(glyph >> 8);
        map += static_cast<char>(glyph & 0xFF);
    }
    const uint32_t id = writer.Allocate();
    WriteDeflated(writer, id, "", map);
    return id;
}

uint32_t EmbeddedFont::WriteDescriptor(ObjectWriter& writer, const std::string& baseFont,
                                       uint32_t programId) const {
    const FontMetrics metrics = program_->Metrics();
    std::string bbox;
    for (const double value : metrics.bbox)
        bbox += Number(value, 0) + " ";
    bbox.pop_back();
    const bool trueType = program_->outlines() == Outlines::kTrueType;
    return writer.AddObject(
        "<</Type /FontDescriptor /FontName " + Name(baseFont) + " /Flags 4 /FontBBox [" + bbox +
        "] /ItalicAngle " + Number(metrics.italicAngle) + " /Ascent " + Number(metrics.ascent, 0) +
        " /Descent " + Number(metrics.descent, 0) + " /CapHeight " + Number(metrics.capHeight, 0) +
        " /StemV 80 " + (trueType ? "/FontFile2 " : "/FontFile3 ") + Reference(programId) + ">>");
}

// /W as runs of consecutive codes: "[c [w1 w2 ...] ...]" (9.7.4.3).
std::string EmbeddedFont::WidthsArray() const {
    std::string array = "[";
    int previous = -2;
    for (const auto& [code, used] : used_) {
        if (code != previous + 1) {
            if (previous >= 0)
                array += "] ";
            array += std::to_string(code) + " [";
        } else {
            array += " ";
        }
        array += Number(used.width, 2);
        previous = code;
    }
    if (previous >= 0)
        array += "]";
    return array + "]";
}

}  // namespace pdf
