#include "platform/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <regex>

#include "font_locator.h"
#include "font_runs.h"
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

// The text poppler gives back, without the direction marks it puts around runs.
std::string LogicalText(const std::filesystem::path& pdf) {
    std::string text = ExtractText(pdf);
    for (const char* mark : {"\u202A", "\u202B", "\u202C", "\u202D", "\u202E"}) {
        for (size_t at; (at = text.find(mark)) != std::string::npos;)
            text.erase(at, std::string(mark).size());
    }
    return text;
}

// The left edge of every word on the first page, from pdftotext's bounding boxes.
std::map<std::string, double> WordLefts(const std::filesystem::path& pdf) {
    const std::string boxes = RunTool("pdftotext -l 1 -bbox " + Quoted(pdf) + " -").output;
    const std::regex word("<word xMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>");
    std::map<std::string, double> lefts;
    for (auto it = std::sregex_iterator(boxes.begin(), boxes.end(), word);
         it != std::sregex_iterator(); ++it) {
        lefts[(*it)[2]] = std::stod((*it)[1]);
    }
    return lefts;
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

// Runs of one direction, logical ranges in visual order: numbers inside right-to-left text
// stay left to right, and a right-to-left paragraph starts at the right.
TEST(VisualRuns, FollowTheBidirectionalAlgorithm) {
    using pdf::DirectionalRun;
    EXPECT_EQ(pdf::VisualRuns(U"abc 123"), (std::vector<DirectionalRun>{{0, 7, false}}));
    EXPECT_EQ(pdf::VisualRuns(U"\u05D0\u05D1\u05D2 123 \u05D3\u05D4"),
              (std::vector<DirectionalRun>{{7, 3, true}, {4, 3, false}, {0, 4, true}}));
    EXPECT_EQ(pdf::VisualRuns(U"\u05E9\u05DC\u05D5\u05DD abc 123"),
              (std::vector<DirectionalRun>{{5, 7, false}, {0, 5, true}}));
    EXPECT_EQ(pdf::VisualRuns(U"ab \u05D0\u05D1 cd"),
              (std::vector<DirectionalRun>{{0, 3, false}, {3, 2, true}, {5, 3, false}}));
    EXPECT_TRUE(pdf::VisualRuns(U"").empty());
}

TEST(FontPieces, MarksAndJoinersStayWithTheirBase) {
    // Latin in font 0, Hebrew in font 1; the Hebrew point U+05B8 would go to font 0 on its own.
    const auto fontFor = [](char32_t c) { return c < 0x80 || c == 0x05B8 ? 0 : 1; };
    const std::u32string text = U"a\u05D0\u05B8b\u200D";
    EXPECT_EQ(pdf::PiecesByFont(text, 0, text.size(), fontFor),
              (std::vector<pdf::FontPiece>{{0, 1, 0}, {1, 2, 1}, {3, 2, 0}}));
    // A piece may start with a mark: it then takes the font it is given.
    EXPECT_EQ(pdf::PiecesByFont(text, 2, 2, fontFor), (std::vector<pdf::FontPiece>{{2, 2, 0}}));
}

// "שלום abc 123" reads right to left with "abc 123" kept in its order at the left, and
// "abc שלום def" keeps the Hebrew word between the Latin ones; the Hebrew letters are drawn by
// an installed font that has them, and the text is extracted as written.
TEST_F(TextTest, RightToLeftTextIsReorderedAndDrawnWithAFontThatHasIt) {
    const std::wstring hebrew = L"\u05E9\u05DC\u05D5\u05DD";
    const std::string hebrewUtf8 = platform::ToUtf8(hebrew);
    // pdftotext names a right-to-left word by its letters as drawn, left to right.
    const std::string drawn = platform::ToUtf8(std::wstring(hebrew.rbegin(), hebrew.rend()));
    for (const wchar_t* font : {kJapaneseFont, L"Arial"}) {
        const std::filesystem::path first = WriteTexts(font, {hebrew + L" abc 123"}, "first.pdf");
        EXPECT_NE(LogicalText(first).find(hebrewUtf8 + " abc 123"), std::string::npos)
            << LogicalText(first);
        std::map<std::string, double> lefts = WordLefts(first);
        ASSERT_EQ(lefts.size(), 3u);
        EXPECT_LT(lefts["abc"], lefts["123"]);
        EXPECT_LT(lefts["123"], lefts[drawn]);

        const std::filesystem::path second =
            WriteTexts(font, {L"abc " + hebrew + L" def"}, "second.pdf");
        // pdftotext moves a blank into the right-to-left run; the order of the words is what
        // counts.
        std::string spaceless = LogicalText(second);
        std::erase(spaceless, ' ');
        EXPECT_NE(spaceless.find("abc" + hebrewUtf8 + "def"), std::string::npos) << spaceless;
        lefts = WordLefts(second);
        ASSERT_EQ(lefts.size(), 3u);
        EXPECT_LT(lefts["abc"], lefts[drawn]);
        EXPECT_LT(lefts[drawn], lefts["def"]);
    }
}

// Each script is drawn and extracted when some installed font has it; a script without one is
// left out of the check.
TEST_F(TextTest, OtherScriptsComeFromInstalledFonts) {
    const std::wstring samples[] = {L"\u0645\u0631\u062D\u0628\u0627 42",
                                    L"\u0E2A\u0E27\u0E31\u0E2A\u0E14\u0E35",
                                    L"\u0928\u092E\u0938\u094D\u0924\u0947", L"\U0001F600"};
    int checked = 0;
    for (const std::wstring& sample : samples) {
        if (!pdf::LocateFontFor(sample[0]))
            continue;
        ++checked;
        const std::filesystem::path pdf = WriteTexts(kJapaneseFont, {sample});
        const std::string text = LogicalText(pdf);
        const std::string utf8 = platform::ToUtf8(sample);
        EXPECT_NE(text.find(utf8), std::string::npos) << utf8 << " gave " << text;
        EXPECT_GT(FindInk(RenderPage(pdf, 1, 72)).width(), 10) << utf8;
    }
    if (checked == 0)
        GTEST_SKIP() << "no installed font has any of the scripts";
}
