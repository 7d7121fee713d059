#include "cff_charset.h"

#include <gtest/gtest.h>
#include <hb.h>

#include <string>

#include "font_locator.h"

namespace {

// The CFF table of the installed Japanese font, which is CID-keyed.
std::string InstalledCffTable() {
    const std::optional<pdf::FontLocation> font = pdf::LocateFont(L"KozMinPro-Regular-Acro");
    if (!font)
        return "";
    hb_blob_t* file = hb_blob_create_from_file(font->file.c_str());
    hb_face_t* face = hb_face_create(file, static_cast<unsigned>(font->index));
    hb_blob_t* table = hb_face_reference_table(face, HB_TAG('C', 'F', 'F', ' '));
    unsigned length = 0;
    const char* data = hb_blob_get_data(table, &length);
    std::string bytes(data ? data : "", length);
    hb_blob_destroy(table);
    hb_face_destroy(face);
    hb_blob_destroy(file);
    return bytes;
}

std::span<const uint8_t> Bytes(const std::string& text, size_t length) {
    return {reinterpret_cast<const uint8_t*>(text.data()), length};
}

}  // namespace

TEST(CffCharsetTest, ReadsTheCidOfEveryGlyphAndSurvivesDamage) {
    const std::string cff = InstalledCffTable();
    ASSERT_FALSE(cff.empty()) << "a Japanese OpenType font with CFF outlines is needed";
    const auto cids = pdf::ReadCffGlyphCids(Bytes(cff, cff.size()));
    ASSERT_TRUE(cids.has_value());
    ASSERT_GT(cids->size(), 10000u);
    EXPECT_EQ((*cids)[0], 0);

    for (size_t length = 0; length < cff.size(); length += 1 + length / 3) {
        const auto cut = pdf::ReadCffGlyphCids(Bytes(cff, length));
        if (cut) {
            EXPECT_LE(cut->size(), cids->size());
        }
    }
    std::string scrambled = cff;
    for (size_t i = 4; i < 200 && i < scrambled.size(); i += 7)
        scrambled[i] = '\xFF';
    pdf::ReadCffGlyphCids(Bytes(scrambled, scrambled.size()));
}
