// Usage records and their submission, checked in the database of a real folioforge-recordd.

#include <sqlite3.h>

#include <chrono>
#include <thread>
#include <vector>

#include "server_fixture.h"
#include "silent_server.h"

using namespace testsupport;

namespace {

constexpr const wchar_t* kInstallationKey = L"Software\\Quill\\Folioforge";

class UsageRecordsTest : public BasaltServerTest {
protected:
    void SetUp() override { Init(); }

    void SetInstallationId(const std::wstring& id) {
        platform::RegWriteString(platform::HKEY_LOCAL_MACHINE, kInstallationKey, L"ID", id);
    }

    // The document of the latest submission.
    std::string Submitted() const {
        const auto documents = server_.Query("SELECT document FROM submissions ORDER BY id");
        return documents.empty() ? "<none>" : documents.back();
    }

    static std::string General(const std::string& id) {
        return R"("general":{"id":)" + id + R"(,"name":"base_tests","version":"2.9.0.0"})";
    }
};

TEST_F(UsageRecordsTest, WithoutCountersOnlyTheGeneralBlockIsSent) {
    SetInstallationId(L"4711");
    EXPECT_EQ(basalt_->SubmitRecord(server_.wideUrl("/record.php").c_str()), 1);
    EXPECT_EQ(Submitted(), "{" + General("4711") + "}");
}

TEST_F(UsageRecordsTest, CountersAreSentInOrderWithBase64Infos) {
    SetInstallationId(L"4711");
    basalt_->Record(100, L"中文");
    basalt_->Record(3, L"PDF");
    basalt_->Record(3, L"PDF");
    basalt_->Record(3, nullptr);
    basalt_->Record(3, L"");
    basalt_->RecordF(105, L"%d rows, %s", 12, L"取消");
    EXPECT_EQ(basalt_->SubmitRecord(nullptr), 1);
    EXPECT_EQ(Submitted(), "{" + General("4711") + R"(,"records":[)" +
                               R"({"id":"3","count":"2","info":""},)"
                               R"({"id":"3","count":"2","info":"UERG"},)"
                               R"({"id":"100","count":"1","info":"5Lit5paH"},)"
                               R"({"id":"105","count":"1","info":"MTIgcm93cywg5Y+W5raI"}]})");

    EXPECT_EQ(basalt_->SubmitRecord(nullptr), 1);  // submitting keeps the counts
    EXPECT_EQ(Count("submissions"), 2);
    EXPECT_NE(Submitted().find(R"({"id":"3","count":"2","info":"UERG"})"), std::string::npos);
}

TEST_F(UsageRecordsTest, TheDocumentStaysValidJsonWhateverTheIdHolds) {
    SetInstallationId(L"say \"hi\"\\\n");
    basalt_->SubmitRecord(nullptr);
    EXPECT_EQ(Submitted(), "{" + General(R"("say \"hi\"\\\n")") + "}");

    platform::RegDeleteValue(platform::HKEY_LOCAL_MACHINE, kInstallationKey, L"ID");
    basalt_->SubmitRecord(nullptr);
    EXPECT_EQ(Submitted(), "{" + General(R"("")") + "}");

    SetInstallationId(L"0123");  // not a plain JSON number
    basalt_->SubmitRecord(nullptr);
    EXPECT_EQ(Submitted(), "{" + General(R"("0123")") + "}");

    SetInstallationId(std::wstring(100, L'9'));  // at most 63 characters are sent
    basalt_->SubmitRecord(nullptr);
    EXPECT_EQ(Submitted(), "{" + General(std::string(63, '9')) + "}");

    platform::RegWriteDWord(platform::HKEY_LOCAL_MACHINE, kInstallationKey, L"ID", 42);
    basalt_->SubmitRecord(nullptr);
    EXPECT_EQ(Submitted(), "{" + General("42") + "}");
}

TEST_F(UsageRecordsTest, NarrowTextInRecordFIsUtf8) {
    SetInstallationId(L"1");
    basalt_->RecordF(106, L"%hs", "中文");
    EXPECT_EQ(basalt_->SubmitRecord(nullptr), 1);
    EXPECT_NE(Submitted().find(R"({"id":"106","count":"1","info":"5Lit5paH"})"), std::string::npos)
        << Submitted();
}

TEST_F(UsageRecordsTest, RecordsFromSeveralThreadsAllCount) {
    SetInstallationId(L"1");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([this] {
            for (int i = 0; i < 2500; ++i) {
                basalt_->Record(7, L"x");
                basalt_->RecordF(8, L"%d", i % 2);
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(basalt_->SubmitRecord(nullptr), 1);
    EXPECT_EQ(Submitted(), "{" + General("1") + R"(,"records":[)" +
                               R"({"id":"7","count":"10000","info":"eA=="},)"
                               R"({"id":"8","count":"5000","info":"MA=="},)"
                               R"({"id":"8","count":"5000","info":"MQ=="}]})");
}

TEST_F(UsageRecordsTest, ARefusedSubmissionReportsFailureAndLosesNothing) {
    basalt_->Record(3, nullptr);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(server_.databaseFile().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(basalt_->SubmitRecord(nullptr), 0);  // the server cannot store it: 500
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);

    EXPECT_EQ(basalt_->SubmitRecord(nullptr), 1);
    EXPECT_NE(Submitted().find(R"({"id":"3","count":"1","info":""})"), std::string::npos);
    EXPECT_EQ(basalt_->SubmitRecord(L"http://127.0.0.1:1/record.php"), 0);
}

TEST_F(UsageRecordsTest, ASilentServerHoldsTheClosingSubmissionForAFewSecondsAtMost) {
    testsupport::SilentServer silent;
    basalt_->Record(3, nullptr);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(basalt_->SubmitRecord(silent.Url(L"/record.php").c_str()), 0);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_LT(waited, std::chrono::seconds(6)) << "the general request limit is 30 s";
}

}  // namespace
