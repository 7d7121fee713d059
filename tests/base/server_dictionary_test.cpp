// The dictionary, the network switch and the downloads, against a real folioforge-recordd.

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "server_fixture.h"

using namespace testsupport;

namespace {

using DictionaryTest = BasaltServerTest;

TEST_F(DictionaryTest, VersionStringsComeFromTheHostsRecord) {
    Init();
    EXPECT_EQ(Ini(L"fILEvERSION"), L"2.9.0.0");
    EXPECT_EQ(Ini(L"InternalName"), L"base_tests");
    EXPECT_EQ(Ini(L"Comments"), L"made for the tests");
    EXPECT_EQ(Ini(L"CompanyName"), L"Velkor");
    EXPECT_EQ(Ini(L"PrivateBuild"), L"<null>");  // empty strings are not stored
    EXPECT_EQ(Ini(L"Internet"), L"true");
    EXPECT_EQ(basalt_->IsSkipURL(), 0);
}

TEST_F(DictionaryTest, HostWithoutARecordHasNoVersionStrings) {
    FILE* host = popen(BARE_HOST, "r");
    ASSERT_NE(host, nullptr);
    char line[64] = {};
    ASSERT_NE(fgets(line, sizeof line, host), nullptr);
    EXPECT_EQ(pclose(host), 0);
    EXPECT_STREQ(line, "version strings: 0\n");
}

TEST_F(DictionaryTest, DownloadPostsTheIdentityAndMergesTheReply) {
    Init();
    server_.SetEntries("AdURL=http://ads.invalid/a\nNewVersion=2.10.0.0\nNote=Grüße\n");
    EXPECT_EQ(basalt_->DownloadIni(nullptr), 0);
    EXPECT_EQ(server_.Query("SELECT body FROM ini_requests"),
              std::vector<std::string>{"tip=base_tests&ver=2.9.0.0&info=2.9.0.0"});
    EXPECT_EQ(Ini(L"adurl"), L"http://ads.invalid/a");
    EXPECT_EQ(Ini(L"Note"), L"Grüße");

    server_.SetEntries("AdURL=\n");  // an empty value removes the key
    basalt_->DownloadIni(server_.wideUrl("/ini.php").c_str());
    EXPECT_EQ(Ini(L"AdURL"), L"<null>");
    EXPECT_EQ(Ini(L"NewVersion"), L"2.10.0.0");
}

TEST_F(DictionaryTest, ALargeReplyArrivesWhole) {
    Init();
    const std::string value = std::string(150'000, 'x') + "末";
    server_.SetEntries("Big=" + value + "\n");  // about 200 kB of Base64
    basalt_->DownloadIni(nullptr);
    const std::wstring big = Ini(L"Big");
    EXPECT_EQ(big.size(), 150'001u);
    EXPECT_EQ(big.back(), L'末');
}

TEST_F(DictionaryTest, FailedRequestsChangeNothing) {
    Init();
    server_.SetEntries("AdURL=http://ads.invalid/a\n");
    basalt_->DownloadIni(nullptr);
    std::filesystem::remove(server_.entriesFile());  // the server now answers 500
    basalt_->DownloadIni(nullptr);
    EXPECT_EQ(Ini(L"AdURL"), L"http://ads.invalid/a");
    basalt_->DownloadIni(L"not a url");
    basalt_->DownloadIni(L"ftp://127.0.0.1/ini.php");
    EXPECT_EQ(Ini(L"AdURL"), L"http://ads.invalid/a");
}

TEST_F(DictionaryTest, AServerThatNeverAnswersIsGivenUpInBoundedTime) {
    const int silent = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(silent, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(listen(silent, 4), 0);  // connections are accepted by the kernel, never answered
    getsockname(silent, reinterpret_cast<sockaddr*>(&address), &length);
    const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(ntohs(address.sin_port));

    setenv("FOLIOFORGE_HTTP_TIMEOUT_MS", "1000", 1);
    Init();
    const auto start = std::chrono::steady_clock::now();
    basalt_->DownloadIni((url + L"/ini.php").c_str());
    EXPECT_EQ(basalt_->SubmitRecord((url + L"/record.php").c_str()), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(Ini(L"Internet"), L"true");
    close(silent);
}

TEST_F(DictionaryTest, CheckSkipSwitchesTheNetworkOff) {
    platform::RegWriteDWord(platform::HKEY_CURRENT_USER, kSettingsKey, L"CheckSkip", 1);
    Init();
    server_.SetEntries("NewVersion=9.0\n");
    EXPECT_EQ(Ini(L"Internet"), L"false");
    EXPECT_EQ(basalt_->IsSkipURL(), 1);
    basalt_->DownloadIni(nullptr);
    EXPECT_EQ(basalt_->CheckForUpdate(L"Folioforge", 0, 0, nullptr), 0);
    basalt_->Record(3, nullptr);
    EXPECT_EQ(basalt_->SubmitRecord(nullptr), 0);
    EXPECT_EQ(Count("ini_requests"), 0);
    EXPECT_EQ(Count("submissions"), 0);
    EXPECT_EQ(Ini(L"NewVersion"), L"<null>");
}

TEST_F(DictionaryTest, TheServerCanSwitchTheNetworkOffAndOn) {
    Init();
    server_.SetEntries("Internet=FALSE\n");
    basalt_->DownloadIni(nullptr);
    EXPECT_EQ(basalt_->IsSkipURL(), 1);
    basalt_->DownloadIni(nullptr);
    EXPECT_EQ(Count("ini_requests"), 1);

    Init();  // back to the settings' verdict
    server_.SetEntries("Internet=TrUe\n");
    basalt_->DownloadIni(nullptr);
    EXPECT_EQ(Ini(L"Internet"), L"TrUe");
    EXPECT_EQ(basalt_->IsSkipURL(), 0);
}

TEST_F(DictionaryTest, DownloadIniExReplacesUpdateIniOnlyOnSuccess) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    platform::RegWriteDWord(platform::HKEY_CURRENT_USER, kSettingsKey, L"CheckSkip", 1);
    Init();  // the switch does not apply here

    EXPECT_EQ(basalt_->DownloadIniEx(server_.wideUrl("/help").c_str()), 1);
    const std::string page = ReadFile(dir_.path() / "update.ini");
    EXPECT_NE(page.find("<html>"), std::string::npos);
    EXPECT_EQ(basalt_->DownloadIniEx(server_.wideUrl("/missing").c_str()), 0);
    EXPECT_EQ(basalt_->DownloadIniEx(L"file:///etc/hostname"), 0);
    EXPECT_EQ(basalt_->DownloadIniEx(nullptr), 0);
    EXPECT_EQ(ReadFile(dir_.path() / "update.ini"), page);
    std::filesystem::current_path(previous);
}

}  // namespace
