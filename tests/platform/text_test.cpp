#include "platform/text.h"

#include <gtest/gtest.h>

#include <random>

using platform::FromUtf8;
using platform::ToUtf8;

TEST(TextTest, RoundTripsEveryPlane) {
    const std::wstring text = L"Zoë \u4E2D\u6587 \U0001F600 \u0416";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(L"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(TextTest, MalformedBytesBecomeReplacementCharacters) {
    EXPECT_EQ(FromUtf8("a\xFF"
                       "b"),
              L"a\uFFFDb");
    EXPECT_EQ(FromUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");            // overlong slash
    EXPECT_EQ(FromUtf8("\xE0\x9F\xBF"), L"\uFFFD\uFFFD\uFFFD");  // overlong U+07FF in 3 bytes
    EXPECT_EQ(FromUtf8("\xE0\xA0\x80"), L"\u0800");              // the shortest 3-byte form
    EXPECT_EQ(FromUtf8("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
    EXPECT_EQ(FromUtf8("\xF4\x90\x80\x80"), L"\uFFFD\uFFFD\uFFFD\uFFFD");  // past U+10FFFF
    EXPECT_EQ(FromUtf8("ok\xE4\xB8"), L"ok\uFFFD");                        // cut short at the end
    EXPECT_EQ(FromUtf8("\xE4"
                       "x"),
              L"\uFFFDx");  // continuation missing
    EXPECT_EQ(FromUtf8(std::string("\0z", 2)), std::wstring(L"\0z", 2));
}

TEST(TextTest, InvalidCodePointsEncodeAsReplacementCharacter) {
    std::wstring bad;
    bad += static_cast<wchar_t>(0xD800);
    bad += static_cast<wchar_t>(0x110000);
    EXPECT_EQ(ToUtf8(bad), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(TextTest, CaseFoldingCoversLatinGreekAndCyrillic) {
    EXPECT_TRUE(platform::EqualsIgnoreCase(L"Report", L"rEPORT"));
    EXPECT_TRUE(platform::EqualsIgnoreCase(L"ÄÖÜ Ł Ž", L"äöü ł ž"));
    EXPECT_TRUE(platform::EqualsIgnoreCase(L"ΑΒΓ", L"αβγ"));
    EXPECT_TRUE(platform::EqualsIgnoreCase(L"ДОКУМЕНТ Ё", L"документ ё"));
    EXPECT_FALSE(platform::EqualsIgnoreCase(L"report", L"reports"));
    EXPECT_FALSE(platform::EqualsIgnoreCase(L"×", L"÷"));
    EXPECT_EQ(platform::ToFolded(L".JPG"), L".jpg");
}

TEST(TextTest, ReplaceAllDoesNotRescanReplacements) {
    std::wstring text = L"%s and %s2";
    platform::ReplaceAll(text, L"%s", L"%s%s");
    EXPECT_EQ(text, L"%s%s and %s%s2");
    platform::ReplaceAll(text, L"", L"x");
    EXPECT_EQ(text, L"%s%s and %s%s2");
}

TEST(TextTest, CodePointsJoinOnlyWellFormedSurrogatePairs) {
    const std::wstring pair = {0xD83D, 0xDE00};
    EXPECT_EQ(platform::CodePoints(L"a" + pair + L"b"), U"a\U0001F600b");
    const std::wstring loneHigh = {0xD83D, L'x'};
    EXPECT_EQ(platform::CodePoints(loneHigh), (std::u32string{0xD83D, U'x'}));
    const std::wstring reversed = {0xDE00, 0xD83D};
    EXPECT_EQ(platform::CodePoints(reversed), (std::u32string{0xDE00, 0xD83D}));
    EXPECT_EQ(platform::CodePoints(L"\U0001F600"), U"\U0001F600");  // already whole
}

TEST(TextTest, PathBytesRoundTripWithoutLoss) {
    using platform::PathFromNative;
    using platform::PathToNative;
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const std::string bytes{static_cast<char>(a), static_cast<char>(b)};
            ASSERT_EQ(PathToNative(PathFromNative(bytes)), bytes) << a << ' ' << b;
        }
    }
    std::mt19937 random(17);
    for (int i = 0; i < 20000; ++i) {
        std::string bytes(random() % 9, '\0');
        for (char& byte : bytes) {  // mostly bytes above 0x7F, where sequences break
            byte = static_cast<char>(random() % 4 ? 0x80 + random() % 128 : random() % 128);
        }
        ASSERT_EQ(PathToNative(PathFromNative(bytes)), bytes);
    }
}

TEST(TextTest, PathBytesDecodeValidUtf8AndEscapeTheRest) {
    using platform::PathFromNative;
    EXPECT_EQ(PathFromNative("Zo\xC3\xAB \xE4\xB8\xAD\xF0\x9F\x98\x80"), L"Zoë \u4E2D\U0001F600");
    EXPECT_EQ(PathFromNative("caf\xE9.jpg"), L"caf\xDCE9.jpg");
    EXPECT_EQ(PathFromNative("\xE4\xB8/"), L"\xDCE4\xDCB8/");          // cut-short sequence
    EXPECT_EQ(PathFromNative("\xED\xA0\x80"), L"\xDCED\xDCA0\xDC80");  // encoded surrogate
    EXPECT_EQ(PathFromNative("\xEF\xBF\xBD"), L"\uFFFD");              // a real U+FFFD stays itself
    EXPECT_EQ(platform::PathToNative(L"\uFFFD\xDCFF"), "\xEF\xBF\xBD\xFF");

    const std::wstring shown = platform::DisplayPath(PathFromNative("caf\xE9 \xC3\xA9.jpg"));
    EXPECT_EQ(shown, L"caf\uFFFD é.jpg");
    EXPECT_EQ(ToUtf8(shown), "caf\xEF\xBF\xBD \xC3\xA9.jpg");  // valid UTF-8 for people
}
