// The small text rules of the library: printf formatting, web URLs, escapes.

#include <gtest/gtest.h>

#include "language_table.h"
#include "web_url.h"
#include "wide_format.h"

using namespace basalt;

namespace {

std::wstring Format(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    std::wstring text = FormatWide(format, args);
    va_end(args);
    return text;
}

TEST(WideFormatTest, FollowsTheWideConventions) {
    EXPECT_EQ(Format(L"%d,%s", 12, L"关闭"), L"12,关闭");
    EXPECT_EQ(Format(L"%5s|%-3d|%%|%c", L"ab", 7, L'é'), L"   ab|7  |%|é");
    EXPECT_EQ(Format(L"%hs and %S", "narrow", "too"), L"narrow and too");
    EXPECT_EQ(Format(L"%I64u %I64d %x", 18446744073709551615ull, -1ll, 255u),
              L"18446744073709551615 -1 ff");
    EXPECT_EQ(Format(L"%*d|%-*.*f|%03x|%lu", 4, 7, 6, 2, 3.14159, 10u, 5ul), L"   7|3.14  |00a|5");
    EXPECT_EQ(Format(nullptr), L"");
    EXPECT_EQ(Format(L"%s", std::wstring(100'000, L'x').c_str()).size(), 100'000u);
}

TEST(WideFormatTest, NarrowTextIsUtf8WhateverTheLocale) {
    // The process runs in the "C" locale, where the C library cannot convert these bytes.
    EXPECT_EQ(Format(L"%hs|%S|%.2hs", "中文", "é", "ab©"), L"中文|é|ab");
    EXPECT_EQ(Format(L"%hs", "\xff"), L"\xFFFD");
    EXPECT_EQ(
        Format(L"%s|%hs", static_cast<const wchar_t*>(nullptr), static_cast<const char*>(nullptr)),
        L"(null)|(null)");
}

TEST(WebUrlTest, OnlyHttpAndHttpsAreOpened) {
    EXPECT_TRUE(IsWebUrl(L"http://folioforge.invalid/get"));
    EXPECT_TRUE(IsWebUrl(L"HTTPS://folioforge.invalid"));
    EXPECT_FALSE(IsWebUrl(L"https://"));
    EXPECT_FALSE(IsWebUrl(L"file:///etc/passwd"));
    EXPECT_FALSE(IsWebUrl(L"javascript:alert(1)"));
    EXPECT_FALSE(IsWebUrl(L"/usr/bin/xterm"));
    EXPECT_FALSE(IsWebUrl(L" http://x"));
    EXPECT_FALSE(IsWebUrl(L"httpx://x"));
    EXPECT_FALSE(IsWebUrl(L""));
}

TEST(LanguageEscapesTest, AreReplacedInOrderAndOnlyOnce) {
    EXPECT_EQ(UnescapeLanguageText(L"a{\\r\\n}b"), L"a\r\nb");
    EXPECT_EQ(UnescapeLanguageText(L"a\\r\\nb\\tc"), L"a\r\nb\tc");
    EXPECT_EQ(UnescapeLanguageText(L"{\\r\\n"), L"{\r\n");
    EXPECT_EQ(UnescapeLanguageText(L"\\\\n"), L"\\\n");
    EXPECT_EQ(UnescapeLanguageText(L"\\x \\"), L"\\x \\");
}

}  // namespace
