#include "ini_file.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

using namespace basalt;
using namespace std::string_view_literals;

namespace {

TEST(IniFileTest, SplitsSectionsAndSkipsCommentsAndBlanks) {
    const IniFile ini = ParseIni(
        L"before=ignored\r\n[Language]\r\n  Description = English  \r\n; note\r\n\r\n"
        L"[Texts\n1=a\n\t2=b c \n[Texts]\n1=again\n");
    ASSERT_EQ(ini.sections.size(), 3u);
    EXPECT_EQ(ini.sections[0].name, L"Language");
    EXPECT_EQ(ini.sections[1].name, L"Texts");  // no closing bracket: the rest of the line
    EXPECT_EQ(ini.sections[1].lines, (std::vector<std::wstring>{L"1=a", L"2=b c"}));
    EXPECT_EQ(ini.sections[2].lines, std::vector<std::wstring>{L"1=again"});

    EXPECT_EQ(IniValue(ini, L"LANGUAGE", L"description"), L"English");
    EXPECT_EQ(IniValue(ini, L"Texts", L"2"), L"b c");
    EXPECT_EQ(IniValue(ini, L"Texts", L"3"), std::nullopt);
    EXPECT_EQ(IniValue(ini, L"Other", L"1"), std::nullopt);
}

TEST(IniFileTest, DecodesByByteOrderMark) {
    EXPECT_EQ(DecodeIniText("\xFF\xFE"
                            "a\0\x3D\xD8\x00\xDE"
                            "b\0"sv),
              L"a\U0001F600b");
    EXPECT_EQ(DecodeIniText("\xFF\xFE"
                            "a\0\x3D\xD8"sv),
              L"a\uFFFD");  // half a pair
    EXPECT_EQ(DecodeIniText("\xFF\xFE"
                            "a\0b"sv),
              L"a");  // odd byte dropped
    EXPECT_EQ(DecodeIniText("\xFF\xFE\x00\xDC"sv), L"\uFFFD");
    EXPECT_EQ(DecodeIniText("\xEF\xBB\xBF"
                            "\xC3\xA9t\xC3\xA9"sv),
              L"été");
    EXPECT_EQ(DecodeIniText("\xC3\xA9t\xFF"sv), L"ét\uFFFD");
}

TEST(IniFileTest, ReadsOnlyRegularFilesOfSaneSize) {
    testsupport::TempDir dir;
    testsupport::WriteFile(dir / "ok.lng", "[A]\nx=1\n");
    EXPECT_TRUE(ReadIniFile(dir / "ok.lng"));
    EXPECT_FALSE(ReadIniFile(dir / "missing.lng"));
    EXPECT_FALSE(ReadIniFile(dir.path()));
    std::filesystem::resize_file(dir / "ok.lng", kMaxIniFileBytes + 1);  // sparse
    EXPECT_FALSE(ReadIniFile(dir / "ok.lng"));
}

}  // namespace
