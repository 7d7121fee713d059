// The daily update check against a real folioforge-recordd.

#include "server_fixture.h"

using namespace testsupport;

namespace {

class UpdateCheckTest : public BasaltServerTest {
protected:
    void SetUp() override {
        Init();
        server_.SetEntries("NewVersion=2.10.0.0\nUpdateURL=https://folioforge.invalid/get\n");
    }

    int Check(int onceADay, int ask) {
        return basalt_->CheckForUpdate(L"Folioforge", onceADay, ask, nullptr);
    }

    std::optional<std::wstring> Stamp() const {
        return platform::RegReadString(platform::HKEY_CURRENT_USER, kSettingsKey,
                                       L"UpdateCheckDate");
    }
};

TEST_F(UpdateCheckTest, NewerVersionIsOfferedOncePerDayButEntriesStayFresh) {
    EXPECT_EQ(basalt_->IsCheckForUpdateIntoday(), 1);
    EXPECT_EQ(Check(1, 1), 1);  // 2.10.0.0 > 2.9.0.0; no application, so nobody is asked
    EXPECT_EQ(basalt_->IsCheckForUpdateIntoday(), 0);

    server_.SetEntries("NewVersion=3.0.0.0\nAdURL=http://ads.invalid/\n");
    EXPECT_EQ(Check(1, 1), 0);  // checked today already ...
    EXPECT_EQ(Count("ini_requests"), 2);
    EXPECT_EQ(Ini(L"AdURL"), L"http://ads.invalid/");  // ... yet the entries were fetched
}

TEST_F(UpdateCheckTest, WithoutOnceADayEveryCallCompares) {
    EXPECT_EQ(Check(0, 0), 1);
    EXPECT_EQ(Check(0, 0), 1);
    EXPECT_EQ(Count("ini_requests"), 2);
}

TEST_F(UpdateCheckTest, SameOrOlderVersionsAreNotOfferedButTheDayIsStamped) {
    for (const char* offered : {"2.9.0.0", "2.9", "2.8.99.99", "02.009", ""}) {
        server_.SetEntries(std::string("NewVersion=") + offered + "\n");
        basalt_->DownloadIni(nullptr);
        EXPECT_EQ(Check(0, 1), 0) << offered;
    }
    EXPECT_TRUE(Stamp());
}

TEST_F(UpdateCheckTest, DateStampLivesUnderTheCurrentUserAndComparesAsText) {
    basalt_->InitBasalt(platform::HKEY_LOCAL_MACHINE, kSettingsKey, nullptr);
    EXPECT_EQ(basalt_->SetCheckForUpdateIntoday(), 1);
    ASSERT_TRUE(Stamp());
    EXPECT_EQ(Stamp()->size(), 10u);  // YYYY-MM-DD
    EXPECT_EQ(basalt_->IsCheckForUpdateIntoday(), 0);

    platform::RegWriteString(platform::HKEY_CURRENT_USER, kSettingsKey, L"UpdateCheckDate",
                             L"1999-01-01");
    EXPECT_EQ(basalt_->IsCheckForUpdateIntoday(), 1);
    platform::RegWriteDWord(platform::HKEY_CURRENT_USER, kSettingsKey, L"UpdateCheckDate", 7);
    EXPECT_EQ(basalt_->IsCheckForUpdateIntoday(), 1);
}

TEST_F(UpdateCheckTest, StampFailsWhenTheSettingsCannotBeWritten) {
    WriteFile(home_.path() / "blocker", "");
    setenv("FOLIOFORGE_HOME", (home_.path() / "blocker" / "home").c_str(), 1);
    EXPECT_EQ(basalt_->SetCheckForUpdateIntoday(), 0);
    EXPECT_EQ(Check(1, 0), 1);  // the check itself still works
}

}  // namespace
