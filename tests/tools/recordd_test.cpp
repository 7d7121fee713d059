#include <gtest/gtest.h>
#include <httplib.h>

#include <filesystem>

#include "entries_file.h"
#include "recordd_process.h"
#include "server_options.h"
#include "temp_dir.h"

using namespace recordd;

namespace {

TEST(ServerOptionsTest, ReadsEveryOptionAndRejectsNonsense) {
    const auto options = ParseServerOptions(
        {"--listen", "0.0.0.0", "--port", "0", "--entries", "e.conf", "--database", "d.db"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->address, "0.0.0.0");
    EXPECT_EQ(options->port, 0);
    EXPECT_EQ(options->entriesFile, "e.conf");
    EXPECT_EQ(options->databaseFile, "d.db");

    EXPECT_EQ(ParseServerOptions({})->address, "127.0.0.1");
    EXPECT_FALSE(ParseServerOptions({"--port", "65536"}));
    EXPECT_FALSE(ParseServerOptions({"--port", "80x"}));
    EXPECT_FALSE(ParseServerOptions({"--port"}));
    EXPECT_FALSE(ParseServerOptions({"--verbose", "1"}));
    EXPECT_FALSE(ParseServerOptions({"--entries", ""}));
}

TEST(EntriesFileTest, ParsesLinesAndSkipsKeysTheReplyCannotCarry) {
    const auto entries = ParseEntries(
        "# comment\r\n NewVersion = 2.10.0.0 \r\n\nAdURL=\nbad key=1\nco:lon=2\nno equals\n"
        "Text=a=b");
    const std::vector<Entry> expected = {
        {"NewVersion", "2.10.0.0"}, {"AdURL", ""}, {"Text", "a=b"}};
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(IniReply(entries), "NewVersion:Mi4xMC4wLjA=\r\nAdURL:\r\nText:YT1i\r\n");
    EXPECT_FALSE(ReadEntries("/nonexistent/entries.conf"));
}

class RecorddLiveTest : public ::testing::Test {
protected:
    testsupport::TempDir dir_;
    testsupport::RecorddProcess server_{dir_.path()};
    httplib::Client client_{server_.url()};
};

TEST_F(RecorddLiveTest, ServesThePagesAndNothingElse) {
    for (const char* path : {"/", "/help", "/soft/folioforge.html", "/AD/folioforge.html?ver=1"}) {
        const auto reply = client_.Get(path);
        ASSERT_TRUE(reply) << path;
        EXPECT_EQ(reply->status, 200) << path;
        EXPECT_NE(reply->body.find("<html>"), std::string::npos) << path;
    }
    EXPECT_EQ(client_.Get("/admin")->status, 404);
}

TEST_F(RecorddLiveTest, AnswersIniFromTheCurrentEntriesAndLogsTheRequest) {
    server_.SetEntries("NewVersion=3.0\n");
    auto reply =
        client_.Post("/ini.php", "tip=a&ver=1&info=1", "application/x-www-form-urlencoded");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->body, "NewVersion:My4w\r\n");
    EXPECT_EQ(server_.Query("SELECT body FROM ini_requests"),
              std::vector<std::string>{"tip=a&ver=1&info=1"});

    std::filesystem::remove(server_.entriesFile());
    reply = client_.Post("/ini.php", "", "application/x-www-form-urlencoded");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 500);
}

TEST_F(RecorddLiveTest, StoresSubmissionsWithTimeAndClient) {
    const std::string document = R"({"general":{"id":"a&b=c"},"records":[]})";
    const auto reply =
        client_.Post("/record.php", "tip=&info=" + document, "application/x-www-form-urlencoded");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 200);
    EXPECT_EQ(server_.Query("SELECT document FROM submissions"), std::vector{document});
    EXPECT_EQ(server_.Query("SELECT client FROM submissions"),
              std::vector<std::string>{"127.0.0.1"});
    const auto received = server_.Query("SELECT received FROM submissions");
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].size(), std::string("2026-01-31T12:00:00Z").size());

    EXPECT_EQ(client_.Post("/record.php", "tip=x", "text/plain")->status, 400);
}

}  // namespace
