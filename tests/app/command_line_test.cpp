#include "command_line.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/text.h"

namespace {

using app::MakePathsOf;
using app::OpenPathsOf;
using Paths = std::vector<std::wstring>;

TEST(CommandLine, MakeSwitchWithoutCaseTakesEveryTrimmedPath) {
    EXPECT_EQ(MakePathsOf({L"folioforge", L"/MAKE", L"\" /home/a b/x.jpg \"", L"/tmp/d"}),
              (Paths{L"/home/a b/x.jpg", L"/tmp/d"}));
    EXPECT_EQ(MakePathsOf({L"folioforge", L"/Make", L"\"\"\"/q.jpg\""}), (Paths{L"/q.jpg"}));
}

TEST(CommandLine, AnythingElseIsAnOrdinaryStart) {
    EXPECT_TRUE(MakePathsOf({L"folioforge"}).empty());
    EXPECT_TRUE(MakePathsOf({L"folioforge", L"/make"}).empty());
    EXPECT_TRUE(MakePathsOf({L"folioforge", L"make", L"/x.jpg"}).empty());
    EXPECT_TRUE(MakePathsOf({L"folioforge", L"/x.jpg", L"/y.jpg"}).empty());
}

TEST(CommandLine, PathsWithoutTheSwitchAreOpenedAsFullPathsAndUntrimmed) {
    const std::wstring here = platform::PathFromNative(std::filesystem::current_path().native());
    EXPECT_EQ(OpenPathsOf({L"folioforge", L"/x.jpg", L"b/../c.png", L" \"q.jpg\""}),
              (Paths{L"/x.jpg", here + L"/c.png", here + L"/ \"q.jpg\""}));
    EXPECT_EQ(OpenPathsOf({L"folioforge", L"make", L""}), (Paths{here + L"/make"}));
}

TEST(CommandLine, OpeningLeavesTheMakeCommandLineAlone) {
    EXPECT_TRUE(OpenPathsOf({L"folioforge"}).empty());
    EXPECT_TRUE(OpenPathsOf({L"folioforge", L"/make"}).empty());
    EXPECT_TRUE(OpenPathsOf({L"folioforge", L"/MaKe", L"/x.jpg"}).empty());
    EXPECT_EQ(MakePathsOf({L"folioforge", L"/x.jpg", L"/make"}), Paths{});
    EXPECT_EQ(OpenPathsOf({L"folioforge", L"/x.jpg", L"/make"}), (Paths{L"/x.jpg", L"/make"}));
}

TEST(CommandLine, OpenedNamesThatAreNotUtf8KeepTheirBytes) {
    const std::wstring name = platform::PathFromNative("/tmp/caf\xe9.jpg");
    const std::vector<std::wstring> paths = OpenPathsOf({L"folioforge", name});
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(platform::PathToNative(paths[0]), "/tmp/caf\xe9.jpg");
}

TEST(CommandLine, TrimKeepsInnerQuotesAndSpaces) {
    EXPECT_EQ(app::TrimSpacesAndQuotes(L" \"say \"hi\" now\" "), L"say \"hi\" now");
    EXPECT_EQ(app::TrimSpacesAndQuotes(L" \"\" "), L"");
}

}  // namespace
