// NewsTicker: reading "interval|text|link|..." values, including the odd ones a server may send.

#include "news_ticker.h"

#include <gtest/gtest.h>

namespace {

using app::NewsTicker;

TEST(NewsTickerTest, RotatesThroughThePairsAndFindsTheLinkOfAText) {
    NewsTicker ticker;
    ASSERT_TRUE(ticker.Parse(L"3000|A|http://l1/|B|http://l2/"));
    EXPECT_EQ(ticker.IntervalMs(), 3000u);
    EXPECT_EQ(ticker.NextText(), L"A");
    EXPECT_EQ(ticker.NextText(), L"B");
    EXPECT_EQ(ticker.NextText(), L"A");
    EXPECT_EQ(ticker.LinkOf(L"B"), L"http://l2/");
    EXPECT_EQ(ticker.LinkOf(L"b"), L"");  // case-sensitive
    EXPECT_EQ(ticker.LinkOf(L"100017"), L"");

    // Parsing again replaces the pairs and starts at the first.
    ASSERT_TRUE(ticker.Parse(L"500|C|http://l3/"));
    EXPECT_EQ(ticker.NextText(), L"C");
    EXPECT_EQ(ticker.LinkOf(L"A"), L"");
}

TEST(NewsTickerTest, EmptyFieldsCountAsOneSeparatorAndALoneTextIsDropped) {
    NewsTicker ticker;
    ASSERT_TRUE(ticker.Parse(L"||2000||A|||http://l1/|B|"));
    EXPECT_EQ(ticker.IntervalMs(), 2000u);
    EXPECT_EQ(ticker.NextText(), L"A");
    EXPECT_EQ(ticker.NextText(), L"A");
    EXPECT_EQ(ticker.LinkOf(L"B"), L"");
}

TEST(NewsTickerTest, ValuesWithoutACompletePairGiveNothing) {
    for (const wchar_t* value : {L"", L"|||", L"3000", L"3000|only text", L"|"}) {
        NewsTicker ticker;
        EXPECT_FALSE(ticker.Parse(value)) << value;
        EXPECT_FALSE(ticker.HasPairs());
        EXPECT_EQ(ticker.NextText(), L"");
    }
}

TEST(NewsTickerTest, GarbageIntervalsAndVeryLongValues) {
    NewsTicker ticker;
    ASSERT_TRUE(ticker.Parse(L"soon|A|x"));
    EXPECT_EQ(ticker.IntervalMs(), 0u);
    ASSERT_TRUE(ticker.Parse(L"99999999999999999999999|A|x"));
    EXPECT_EQ(ticker.IntervalMs(), 4294967295u);

    std::wstring value = L"1000";
    for (int i = 0; i < 100000; ++i) {
        value += L"|text" + std::to_wstring(i) + L"|http://l/" + std::to_wstring(i);
    }
    value += L"|" + std::wstring(1 << 20, L'x');
    ASSERT_TRUE(ticker.Parse(value));
    EXPECT_EQ(ticker.LinkOf(L"text99999"), L"http://l/99999");
    EXPECT_EQ(ticker.NextText(), L"text0");
}

}  // namespace
