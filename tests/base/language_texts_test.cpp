// Language texts through the exported interface, on real language files.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "basalt_library.h"
#include "platform/registry.h"
#include "temp_dir.h"

using namespace testsupport;

namespace {

constexpr const wchar_t* kKey = L"Software\\Velkor\\Folioforge";

std::string Utf16Le(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

class LanguageTextsTest : public ::testing::Test {
protected:
    void SetUp() override {
        basalt_.WriteLanguage("english.lng",
                              LanguageFileText("English",
                                               "100001=OK\n100002=Cancel\n"
                                               "100003=Hello %s\n200001=Folioforge\n"));
    }

    void Init() { basalt_->InitBasalt(platform::HKEY_CURRENT_USER, kKey, L"folioforge"); }

    void SelectLanguage(const std::wstring& file) {
        platform::RegWriteString(platform::HKEY_CURRENT_USER, kKey, L"Language", file);
    }

    std::wstring Text(const wchar_t* id, const wchar_t* s1 = nullptr, const wchar_t* s2 = nullptr,
                      const wchar_t* s3 = nullptr) {
        const wchar_t* text = basalt_->GetTextByID(id, s1, s2, s3);
        return text ? text : L"<null>";
    }

    std::vector<std::wstring> List() {
        int count = -1;
        BSTR* list = basalt_->GetLanguageList(&count);
        std::vector<std::wstring> names;
        for (BSTR* entry = list; entry && *entry; ++entry)
            names.emplace_back(*entry);
        EXPECT_EQ(count, static_cast<int>(names.size()));
        basalt_->ReleaseLanguageList(list);
        return names;
    }

    ScopedSettingsHome home_;
    TempDir dir_;
    BasaltLibrary basalt_{dir_.path()};
};

TEST_F(LanguageTextsTest, NothingIsAnsweredBeforeInitialisation) {
    EXPECT_EQ(basalt_->GetTextByID(L"100001", nullptr, nullptr, nullptr), nullptr);
    EXPECT_STREQ(basalt_->GetCurrentLanguage(), L"");
    EXPECT_EQ(basalt_->GetIniString(L"FileVersion"), nullptr);
    EXPECT_EQ(basalt_->GetIniString(L"Internet"), nullptr);
}

TEST_F(LanguageTextsTest, CurrentLanguageFallsBackToEnglishPerText) {
    basalt_.WriteLanguage(
        "deutsch.lng", LanguageFileText("Deutsch", "100001=Gut\n100002=\n[More]\n100004=Vier\n"));
    SelectLanguage(L"deutsch.lng");
    Init();
    EXPECT_STREQ(basalt_->GetCurrentLanguage(), L"Deutsch");
    EXPECT_EQ(Text(L"100001"), L"Gut");
    EXPECT_EQ(Text(L"100002"), L"Cancel");  // empty text in the current language
    EXPECT_EQ(Text(L"200001"), L"Folioforge");
    EXPECT_EQ(Text(L"100004"), L"Vier");  // sections are merged
    EXPECT_EQ(Text(L"999999"), L"<null>");
    EXPECT_EQ(Text(L"Description"), L"<null>");  // the Language section holds no texts
}

TEST_F(LanguageTextsTest, MissingLanguageValueMeansEnglishAndIsWrittenBack) {
    Init();
    EXPECT_STREQ(basalt_->GetCurrentLanguage(), L"English");
    EXPECT_EQ(platform::RegReadString(platform::HKEY_CURRENT_USER, kKey, L"Language"),
              L"english.lng");
}

TEST_F(LanguageTextsTest, NullRootKeepsTheDefaultSettingsKey) {
    basalt_->InitBasalt(nullptr, L"Software\\Elsewhere", nullptr);
    EXPECT_EQ(
        platform::RegReadString(platform::HKEY_CURRENT_USER, L"Software\\Velkor", L"Language"),
        L"english.lng");
    EXPECT_FALSE(platform::RegKeyExists(platform::HKEY_CURRENT_USER, L"Software\\Elsewhere"));
}

TEST_F(LanguageTextsTest, PlaceholdersAreReplacedLongestFirst) {
    basalt_.WriteLanguage("english.lng",
                          LanguageFileText("English", "1=Hello %s\n2=%s and %s2 and %s3\n"));
    Init();
    EXPECT_EQ(Text(L"1", L"Ann"), L"Hello Ann");
    EXPECT_EQ(Text(L"1"), L"Hello %s");
    EXPECT_EQ(Text(L"2", L"a", L"b", L"c"), L"a and b and c");
    EXPECT_EQ(Text(L"2", nullptr, L"b"), L"%s and b and %s3");
    EXPECT_EQ(Text(L"1", L"%s2"), L"Hello %s2");  // a substitution is not scanned again
}

TEST_F(LanguageTextsTest, EscapesBecomeControlCharactersButIdsStayAsWritten) {
    basalt_.WriteLanguage("english.lng", LanguageFileText("English",
                                                          "1=one{\\r\\n}two\n2=a\\tb\\nc\\rd\n"
                                                          "=empty id\n3\n a\\n=escaped id\n"));
    Init();
    EXPECT_EQ(Text(L"1"), L"one\r\ntwo");
    EXPECT_EQ(Text(L"2"), L"a\tb\nc\rd");
    EXPECT_EQ(Text(nullptr), L"empty id");    // "=text" defines the empty id
    EXPECT_EQ(Text(L"3"), L"<null>");         // an id without "=" has an empty text
    EXPECT_EQ(Text(L"a\\n"), L"escaped id");  // ids keep their backslashes
    EXPECT_EQ(Text(reinterpret_cast<const wchar_t*>(5)), L"empty id");  // numbered: no table
}

TEST_F(LanguageTextsTest, TheHundredAndFirstLookupReusesTheFirstSlot) {
    basalt_.WriteLanguage("english.lng", LanguageFileText("English", "1=first\n2=other\n"));
    Init();
    const wchar_t* first = basalt_->GetTextByID(L"1", nullptr, nullptr, nullptr);
    for (int i = 0; i < 99; ++i)
        basalt_->GetTextByID(L"missing", nullptr, nullptr, nullptr);
    EXPECT_STREQ(first, L"first");  // 99 further look-ups keep it
    const wchar_t* reused = basalt_->GetTextByID(L"2", nullptr, nullptr, nullptr);
    EXPECT_EQ(reused, first);
    EXPECT_STREQ(first, L"other");
}

TEST_F(LanguageTextsTest, ListPutsTheCurrentLanguageFirstAndKeepsTheRestSorted) {
    basalt_.WriteLanguage("b.lng", LanguageFileText("Bravo", ""));
    basalt_.WriteLanguage("c.lng", LanguageFileText("Charlie", ""));
    basalt_.WriteLanguage("nodesc.lng", LanguageFileText("", ""));
    SelectLanguage(L"C.LNG");  // file names match without regard to case
    Init();
    // Sorted "", Bravo, Charlie, English; the current one trades places with the first.
    EXPECT_EQ(List(), (std::vector<std::wstring>{L"Charlie", L"Bravo", L"", L"English"}));

    basalt_.WriteLanguage("twin.lng", LanguageFileText("Charlie", ""));
    SelectLanguage(L"gone.lng");
    EXPECT_EQ(List(), (std::vector<std::wstring>{L"", L"Bravo", L"Charlie", L"English"}));
}

TEST_F(LanguageTextsTest, EmptyFolderGivesNoList) {
    std::filesystem::remove(basalt_.languages() / "english.lng");
    int count = -1;
    EXPECT_EQ(basalt_->GetLanguageList(&count), nullptr);
    EXPECT_EQ(count, 0);
    basalt_->ReleaseLanguageList(nullptr);
}

TEST_F(LanguageTextsTest, ChangeSwitchesOnlyOnAnExactDescription) {
    basalt_.WriteLanguage("fr.lng", LanguageFileText("Français", "100001=D'accord\n"));
    Init();
    EXPECT_EQ(basalt_->ChangeCurrentLanguage(L"français"), 0);
    EXPECT_EQ(basalt_->ChangeCurrentLanguage(L"Klingon"), 0);
    EXPECT_EQ(Text(L"100001"), L"OK");

    EXPECT_EQ(basalt_->ChangeCurrentLanguage(L"Français"), 1);
    EXPECT_STREQ(basalt_->GetCurrentLanguage(), L"Français");
    EXPECT_EQ(Text(L"100001"), L"D'accord");
    EXPECT_EQ(Text(L"100002"), L"Cancel");
    EXPECT_EQ(platform::RegReadString(platform::HKEY_CURRENT_USER, kKey, L"Language"), L"fr.lng");

    SelectLanguage(L"english.lng");
    EXPECT_EQ(basalt_->ReloadLanguage(), 1);
    EXPECT_EQ(Text(L"100001"), L"OK");
}

TEST_F(LanguageTextsTest, ChangeFailsWhenTheSettingCannotBeWritten) {
    basalt_.WriteLanguage("fr.lng", LanguageFileText("Français", "100001=D'accord\n"));
    Init();
    WriteFile(home_.path() / "blocker", "");
    setenv("FOLIOFORGE_HOME", (home_.path() / "blocker" / "home").c_str(), 1);
    EXPECT_EQ(basalt_->ChangeCurrentLanguage(L"Français"), 0);
    EXPECT_EQ(Text(L"100001"), L"OK");
}

TEST_F(LanguageTextsTest, ReadsUtf16AndUtf8WithByteOrderMarks) {
    basalt_.WriteLanguage(
        "chinese.lng",
        Utf16Le(u"\uFEFF[Language]\r\nDescription=简体中文\r\n[T]\r\n100001=确定 😀\r\n"));
    basalt_.WriteLanguage("bom.lng", "\xEF\xBB\xBF" + LanguageFileText("Ελληνικά", ""));
    SelectLanguage(L"chinese.lng");
    Init();
    EXPECT_STREQ(basalt_->GetCurrentLanguage(), L"简体中文");
    EXPECT_EQ(Text(L"100001"), L"确定 😀");
    EXPECT_EQ(basalt_->ChangeCurrentLanguage(L"Ελληνικά"), 1);
}

TEST_F(LanguageTextsTest, DamagedFilesNeitherCrashNorHang) {
    std::string garbage(64 * 1024, '\0');
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 7919u) >> 3);
    basalt_.WriteLanguage("garbage.lng", garbage);
    const std::string utf16 = Utf16Le(u"\uFEFF[T]\n100001=ab\U0001F600");
    basalt_.WriteLanguage("utf16.lng", utf16.substr(0, utf16.size() - 1));  // cut mid-pair
    basalt_.WriteLanguage("long.lng", "[T]\n100001=" + std::string(10 << 20, 'x'));
    std::filesystem::create_directory(basalt_.languages() / "folder.lng");
    mkfifo((basalt_.languages() / "pipe.lng").c_str(), 0600);

    for (const wchar_t* file : {L"garbage.lng", L"folder.lng", L"pipe.lng", L"utf16.lng"}) {
        SelectLanguage(file);
        Init();
        EXPECT_EQ(Text(L"100002"), L"Cancel") << file;
    }
    EXPECT_EQ(Text(L"100001"), L"ab\uFFFD");  // the lone half of the pair
    SelectLanguage(L"long.lng");
    EXPECT_EQ(basalt_->ReloadLanguage(), 1);
    EXPECT_EQ(Text(L"100001").size(), size_t{10} << 20);
    EXPECT_GE(List().size(), 2u);
}

}  // namespace
