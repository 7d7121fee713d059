#include "command_line.h"

#include <gtest/gtest.h>

namespace {

using app::MakePathsOf;
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

TEST(CommandLine, TrimKeepsInnerQuotesAndSpaces) {
    EXPECT_EQ(app::TrimSpacesAndQuotes(L" \"say \"hi\" now\" "), L"say \"hi\" now");
    EXPECT_EQ(app::TrimSpacesAndQuotes(L" \"\" "), L"");
}

}  // namespace
