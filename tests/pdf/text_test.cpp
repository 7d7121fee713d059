#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "writer_test_support.h"

using namespace pdftest;
using namespace testsupport;

namespace {

constexpr const wchar_t* kJapaneseFont = L"KozMinPro-Regular-Acro";
constexpr const wchar_t* kChineseFont = L"宋体";

// The box around every pixel darker than white.
struct InkBox {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

InkBox FindInk(const Rendering& page) {
    InkBox box;
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x) {
            if (page.At(x, y)[0] > 128)
                continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    }
    return box;
}

class TextTest : public WriterTest {
protected:
    // One page per text, 1000 x 100 points, the text at (10, 30) in 48 points.
    std::filesystem::path WriteTexts(const std::wstring& font,
                                     const std::vector<std::wstring>& texts,
                                     const std::string& name = "text.pdf") {
        Begin(name);
        for (const std::wstring& text : texts) {
            writer_.begin_page_ext(1000, 100, L"");
            const int handle = writer_.load_font(font, L"unicode", L"");
            writer_.setfont(handle, 48);
            writer_.set_text_pos(10, 30);
            writer_.show(text);
            writer_.end_page_ext(L"");
        }
        writer_.end_document(L"");
        EXPECT_EQ(QpdfCheck(Path(name)), 0);
        return Path(name);
    }
};

}  // namespace

TEST_F(TextTest, EveryWatermarkFontGivesBackItsText) {
    const std::wstring mixed = L"Folioforge Привет 日本語 中文";
    for (const wchar_t* font : {kJapaneseFont, kChineseFont}) {
        const std::filesystem::path pdf = WriteTexts(font, {mixed});
        EXPECT_NE(ExtractText(pdf).find("Folioforge Привет 日本語 中文"), std::string::npos);
    }
    const std::filesystem::path latin = WriteTexts(L"Arial", {L"Page 3 – Über Привет"});
    EXPECT_NE(ExtractText(latin).find("Page 3 – Über Привет"), std::string::npos);
}

TEST_F(TextTest, FontsAreEmbeddedSubsets) {
    const std::filesystem::path pdf = WriteTexts(kJapaneseFont, {L"日本"});
    const std::string fonts = RunTool("pdffonts " + Quoted(pdf)).output;
    EXPECT_NE(fonts.find("Identity-H"), std::string::npos) << fonts;
    EXPECT_NE(fonts.find("yes yes yes"), std::string::npos) << fonts;  // embedded, subset, map
    EXPECT_LT(std::filesystem::file_size(pdf), 30000u);
}

// A mapping from characters to the wrong glyphs would not draw one flat and one tall stroke.
TEST_F(TextTest, CharactersDrawTheirOwnGlyphs) {
    for (const wchar_t* font : {kJapaneseFont, L"Arial"}) {
        const bool cjk = font == kJapaneseFont;
        const std::filesystem::path pdf =
            WriteTexts(font, {cjk ? L"一" : L"—", cjk ? L"丨" : L"|"});
        const InkBox flat = FindInk(RenderPage(pdf, 1, 72));
        const InkBox tall = FindInk(RenderPage(pdf, 2, 72));
        EXPECT_GT(flat.width(), 4 * flat.height()) << (cjk ? "CJK" : "Latin");
        EXPECT_GT(tall.height(), 4 * tall.width()) << (cjk ? "CJK" : "Latin");
    }
}

TEST_F(TextTest, TextContinuesWhereTheLastShowEnded) {
    Begin("line.pdf");
    writer_.begin_page_ext(400, 100, L"");
    writer_.setfont(writer_.load_font(L"Arial", L"unicode", L""), 20);
    writer_.set_text_pos(10, 50);
    writer_.show(L"Left");
    writer_.show(L"Right");
    writer_.end_page_ext(L"");
    writer_.end_document(L"");
    EXPECT_NE(ExtractText(Path("line.pdf")).find("LeftRight"), std::string::npos);
}

TEST_F(TextTest, ColourAndFillOpacityApplyToText) {
    Begin("colour.pdf");
    writer_.begin_page_ext(100, 100, L"");
    writer_.setfont(writer_.load_font(kJapaneseFont, L"UniJIS-UCS2-H", L""), 90);
    writer_.set_gstate(writer_.create_gstate(L"opacityfill=0.500000"));
    writer_.set_text_pos(5, 10);
    writer_.setcolor(L"fill", L"rgb", 1, 0, 0, 0);
    writer_.show(L"■");
    writer_.end_page_ext(L"");
    writer_.end_document(L"");
    ASSERT_EQ(QpdfCheck(Path("colour.pdf")), 0);
    const Rendering page = RenderPage(Path("colour.pdf"), 1, 72);
    const uint8_t* middle = page.At(50, 50);
    EXPECT_NEAR(middle[0], 255, 2);
    EXPECT_NEAR(middle[1], 128, 3);
    EXPECT_NEAR(middle[2], 128, 3);
}

TEST_F(TextTest, FontLoadingFailsClearly) {
    Begin("fonts.pdf");
    const int first = writer_.load_font(L"Arial", L"unicode", L"");
    EXPECT_EQ(writer_.load_font(L"Arial", L"unicode", L""), first);
    EXPECT_EQ(ErrorOf([&] { writer_.load_font(L"No Such Family 123", L"unicode", L""); }).number(),
              pdf::kErrorFont);
    EXPECT_EQ(ErrorOf([&] { writer_.load_font(L"Arial", L"winansi-x", L""); }).number(),
              pdf::kErrorParameter);
    writer_.set_parameter(L"errorpolicy", L"return");
    writer_.set_parameter(L"SearchPath", L"Arial=/usr/fonts");
    EXPECT_EQ(writer_.load_font(L"No Such Family 123", L"unicode", L""), -1);
    writer_.begin_page_ext(10, 10, L"");
    EXPECT_EQ(ErrorOf([&] { writer_.show(L"x"); }).number(), pdf::kErrorScope);
    EXPECT_EQ(ErrorOf([&] { writer_.setfont(first, 0); }).number(), pdf::kErrorParameter);
    EXPECT_EQ(ErrorOf([&] { writer_.setcolor(L"fill", L"rgb", 2, 0, 0, 0); }).number(),
              pdf::kErrorParameter);
}
