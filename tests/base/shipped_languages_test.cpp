// The language files Folioforge ships: every text the program shows, in every language.

#include <gtest/gtest.h>

#include <set>

#include "ini_file.h"

using namespace basalt;

namespace {

const std::filesystem::path kFolder = LANGUAGES_SOURCE_DIR;

// The text ids the program, its libraries and its file-manager entry ask for.
const std::set<std::wstring> kProgramIds = {
    L"100001", L"100002", L"100003", L"100004", L"100005", L"100007", L"100008", L"100009",
    L"100010", L"100011", L"100012", L"100013", L"100014", L"100015", L"100016", L"100017",
    L"100018", L"100019", L"100020", L"100021", L"100022", L"100023", L"100024", L"100025",
    L"100027", L"100030", L"100031", L"200001", L"200002", L"200003", L"200004", L"200005",
    L"200006", L"200007", L"200008", L"200009", L"200010", L"200011", L"200012", L"200014",
    L"200015", L"200016", L"200017", L"201001", L"201002", L"201003", L"201004", L"201005",
    L"201101", L"201102", L"201103", L"201104", L"201105", L"201106", L"201108", L"201109",
    L"201110", L"201201", L"201202", L"201203", L"201204", L"201205", L"201301", L"201302",
    L"201303", L"201304", L"201305", L"201306", L"201307", L"201308", L"201309", L"201310",
    L"201311", L"201312", L"201401", L"201402", L"201403", L"201404", L"201406", L"201407",
    L"201501", L"201502", L"201503", L"201505", L"201508", L"202001", L"202002", L"202003"};

std::map<std::wstring, std::wstring> Texts(const IniFile& ini) {
    std::map<std::wstring, std::wstring> texts;
    for (const IniSection& section : ini.sections) {
        if (section.name == L"Language")
            continue;
        for (const std::wstring& line : section.lines) {
            const size_t equals = line.find(L'=');
            EXPECT_NE(equals, std::wstring::npos) << line;
            EXPECT_TRUE(texts.emplace(line.substr(0, equals), line.substr(equals + 1)).second)
                << "repeated id " << line;
        }
    }
    return texts;
}

void ExpectComplete(const char* file, const wchar_t* description) {
    const auto ini = ReadIniFile(kFolder / file);
    ASSERT_TRUE(ini) << file;
    EXPECT_EQ(IniValue(*ini, L"Language", L"Description"), description);
    const auto texts = Texts(*ini);
    std::set<std::wstring> ids;
    for (const auto& [id, text] : texts) {
        ids.insert(id);
        EXPECT_FALSE(text.empty()) << file << " " << id;
    }
    EXPECT_EQ(ids, kProgramIds) << file;
    EXPECT_NE(texts.at(L"100017").find(L"%s"), std::wstring::npos) << file;
}

TEST(ShippedLanguagesTest, EnglishAndChineseHaveEveryText) {
    ExpectComplete("english.lng", L"English");
    ExpectComplete("chinese.lng", L"简体中文");
}

}  // namespace
