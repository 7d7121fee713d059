#include "font_program.h"

#include <hb-ot.h>
#include <hb-subset.h>

#include <span>

#include "cff_charset.h"
#include "failure.h"
#include "pdfwriter/pdf_writer.h"

namespace pdf {
namespace {

std::span<const uint8_t> TableBytes(hb_blob_t* table) {
    unsigned length = 0;
    const char* data = hb_blob_get_data(table, &length);
    return {reinterpret_cast<const uint8_t*>(data), length};
}

int16_t ReadInt16(std::span<const uint8_t> bytes, size_t at) {
    if (at + 2 > bytes.size())
        return 0;
    return static_cast<int16_t>(bytes[at] << 8 | bytes[at + 1]);
}

}  // namespace

FontProgram::FontProgram(const FontLocation& location) {
    blob_.reset(hb_blob_create_from_file_or_fail(location.file.c_str()));
    if (!blob_)
        Fail(kErrorFont, "cannot read font file '" + location.file + "'");
    face_.reset(hb_face_create(blob_.get(), static_cast<unsigned>(location.index)));
    unitsPerEm_ = hb_face_get_upem(face_.get());
    if (hb_face_get_glyph_count(face_.get()) == 0 || unitsPerEm_ == 0) {
        Fail(kErrorFont, "'" + location.file + "' holds no usable font");
    }
    if (hb_blob_get_length(Table("CFF2").get()) > 0) {
        Fail(kErrorFont, "CFF2 outlines of '" + location.file + "' are not supported");
    }
    const Blob cff = Table("CFF ");
    if (hb_blob_get_length(cff.get()) > 0) {
        const auto cids = ReadCffGlyphCids(TableBytes(cff.get()));
        if (!cids)
            Fail(kErrorFont, "damaged CFF outlines in '" + location.file + "'");
        glyphCids_ = *cids;
        outlines_ = glyphCids_.empty() ? Outlines::kNameKeyedCff : Outlines::kCidKeyedCff;
    }
    font_.reset(hb_font_create(face_.get()));
    hb_font_set_scale(font_.get(), static_cast<int>(unitsPerEm_), static_cast<int>(unitsPerEm_));
}

FontProgram::Blob FontProgram::Table(const char* tag) const {
    return Blob(hb_face_reference_table(face_.get(), HB_TAG(tag[0], tag[1], tag[2], tag[3])));
}

std::vector<ShapedGlyph> FontProgram::Shape(std::u32string_view text, size_t start, size_t length,
                                            bool rightToLeft) const {
    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_add_codepoints(buffer, reinterpret_cast<const hb_codepoint_t*>(text.data()),
                             static_cast<int>(text.size()), static_cast<unsigned>(start),
                             static_cast<int>(length));
    hb_buffer_set_direction(buffer, rightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(font_.get(), buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
    std::vector<ShapedGlyph> glyphs(count);
    for (unsigned i = 0; i < count; ++i) {
        glyphs[i] = {infos[i].codepoint, infos[i].cluster, positions[i].x_advance,
                     positions[i].x_offset, positions[i].y_offset};
    }
    hb_buffer_destroy(buffer);
    return glyphs;
}

bool FontProgram::HasGlyphFor(char32_t character) const {
    hb_codepoint_t glyph = 0;
    return hb_font_get_nominal_glyph(font_.get(), character, &glyph) && glyph != 0;
}

int32_t FontProgram::Advance(uint32_t glyph) const {
    return hb_font_get_glyph_h_advance(font_.get(), glyph);
}

uint16_t FontProgram::CodeOf(uint32_t glyph) const {
    if (glyphCids_.empty())
        return static_cast<uint16_t>(glyph);
    return glyph < glyphCids_.size() ? glyphCids_[glyph] : 0;
}

std::string FontProgram::PostScriptName() const {
    char name[128] = "";
    unsigned size = sizeof name;
    hb_ot_name_get_utf8(face_.get(), HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &size,
                        name);
    std::string kept;
    for (const char c : std::string_view(name)) {
        if (c > 0x20 && c < 0x7F && std::string_view("()<>[]{}/%#").find(c) == std::string::npos) {
            kept += c;
        }
    }
    return kept.empty() ? "Font" : kept;
}

FontMetrics FontProgram::Metrics() const {
    const double scale = 1000.0 / unitsPerEm_;
    auto metric = [&](hb_ot_metrics_tag_t tag, double fallback) {
        hb_position_t value = 0;
        return hb_ot_metrics_get_position(font_.get(), tag, &value) ? value * scale : fallback;
    };
    FontMetrics metrics;
    metrics.ascent = metric(HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, 800);
    metrics.descent = metric(HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER, -200);
    metrics.capHeight = metric(HB_OT_METRICS_TAG_CAP_HEIGHT, metrics.ascent);
    metrics.italicAngle = hb_style_get_value(font_.get(), HB_STYLE_TAG_SLANT_ANGLE);
    const Blob head = Table("head");
    const std::span<const uint8_t> bytes = TableBytes(head.get());
    for (int i = 0; i < 4; ++i)
        metrics.bbox[i] = ReadInt16(bytes, 36 + 2 * i) * scale;
    return metrics;
}

hb_subset_input_t* FontProgram::SubsetInput(const std::set<uint32_t>& glyphs) const {
    hb_subset_input_t* input = hb_subset_input_create_or_fail();
    if (!input)
        Fail(kErrorMemory, "cannot subset a font");
    hb_set_t* glyphSet = hb_subset_input_glyph_set(input);
    for (const uint32_t glyph : glyphs)
        hb_set_add(glyphSet, glyph);
    hb_set_t* dropped = hb_subset_input_set(input, HB_SUBSET_SETS_DROP_TABLE_TAG);
    for (const char* tag : {"GSUB", "GPOS", "GDEF", "BASE", "JSTF", "kern", "morx", "kerx", "fvar",
                            "gvar", "avar", "cvar", "HVAR", "MVAR", "STAT"}) {
        hb_set_add(dropped, HB_TAG(tag[0], tag[1], tag[2], tag[3]));
    }
    // Name-keyed CFF glyphs are selected by index, so their indexes must not move.
    if (outlines_ == Outlines::kNameKeyedCff) {
        hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_RETAIN_GIDS);
    }
    return input;
}

FontSubset FontProgram::Subset(const std::set<uint32_t>& glyphs) const {
    hb_subset_input_t* input = SubsetInput(glyphs);
    hb_subset_plan_t* plan = hb_subset_plan_create_or_fail(face_.get(), input);
    hb_subset_input_destroy(input);
    const Face subset(plan ? hb_subset_plan_execute_or_fail(plan) : nullptr);
    FontSubset result;
    if (subset && outlines_ == Outlines::kTrueType) {
        const hb_map_t* newGlyphs = hb_subset_plan_old_to_new_glyph_mapping(plan);
        result.glyphOfCode.resize(*glyphs.rbegin() + 1);
        for (const uint32_t glyph : glyphs) {
            result.glyphOfCode[glyph] = static_cast<uint16_t>(hb_map_get(newGlyphs, glyph));
        }
    }
    hb_subset_plan_destroy(plan);
    if (!subset)
        Fail(kErrorFont, "cannot subset font " + PostScriptName());
    const Blob blob(outlines_ == Outlines::kCidKeyedCff
                        ? hb_face_reference_table(subset.get(), HB_TAG('C', 'F', 'F', ' '))
                        : hb_face_reference_blob(subset.get()));
    const std::span<const uint8_t> bytes = TableBytes(blob.get());
    result.program.assign(bytes.begin(), bytes.end());
    return result;
}

}  // namespace pdf
