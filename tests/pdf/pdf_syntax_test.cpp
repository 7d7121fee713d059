#include "pdf_syntax.h"

#include <gtest/gtest.h>

#include "text_operators.h"

TEST(PdfSyntaxTest, NumbersNamesAndStrings) {
    EXPECT_EQ(pdf::Number(1.0), "1");
    EXPECT_EQ(pdf::Number(2.5), "2.5");
    EXPECT_EQ(pdf::Number(1.0 / 3), "0.3333");
    EXPECT_EQ(pdf::Number(-0.00001), "0");
    EXPECT_EQ(pdf::Number(-12.25), "-12.25");
    EXPECT_EQ(pdf::Number(1e8), "100000000");
    EXPECT_EQ(pdf::Name("A B#(x)"), "/A#20B#23#28x#29");
    EXPECT_EQ(pdf::TextString(L"a(b)\\"), "(a\\(b\\)\\\\)");
    EXPECT_EQ(pdf::TextString(L"é\U0001F600"), "<FEFF00E9D83DDE00>");
    EXPECT_EQ(pdf::TextString(L"\n"), "<FEFF000A>");
}

TEST(PdfSyntaxTest, ShapedGlyphsKeepTheirPositions) {
    // Kerning pulls the second glyph 20 units left; a mark sits 100 units up over the third.
    const pdf::GlyphPlacement glyphs[] = {
        {.code = 0x24, .width = 600, .xAdvance = 580},
        {.code = 0x25, .width = 500, .xAdvance = 500},
        {.code = 0x300, .width = 0, .xAdvance = 0, .xOffset = -250, .yOffset = 100},
    };
    EXPECT_EQ(pdf::ShowGlyphsOperators(glyphs, 10),
              "[<0024> 20 <0025> ] TJ\n1 Ts\n[250 <0300> -250 ] TJ\n0 Ts\n");
}
