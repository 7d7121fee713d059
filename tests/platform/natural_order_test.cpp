#include "platform/natural_order.h"

#include <gtest/gtest.h>

TEST(NaturalOrderTest, SortsLikeFileNames) {
    using platform::CompareNatural;
    EXPECT_LT(CompareNatural(L"img2.jpg", L"img10.jpg"), 0);
    EXPECT_LT(CompareNatural(L"IMG2", L"img3"), 0);
    EXPECT_GT(CompareNatural(L"b", L"A"), 0);
    EXPECT_LT(CompareNatural(L"page", L"page1"), 0);
    EXPECT_LT(CompareNatural(L"x99999999999999999999", L"x100000000000000000000"), 0);
    EXPECT_GT(CompareNatural(L"2.10.0.0", L"2.9.0.0"), 0);
    EXPECT_EQ(CompareNatural(L"v007", L"V7"), 0);
    EXPECT_EQ(CompareNatural(L"same", L"same"), 0);
    EXPECT_LT(CompareNatural(L"2.9", L"2.9.0.0"), 0);
    EXPECT_GT(CompareNatural(L"2.9.0.0", L""), 0);
    EXPECT_LT(CompareNatural(L"Äpfel", L"äpfelmus"), 0);
}
