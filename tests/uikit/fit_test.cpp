// The three rules for placing an image in an area.

#include "fit.h"

#include <gtest/gtest.h>

#include "printers.h"

namespace {

TEST(FitTest, CentreKeepsTheSizeAndMayOverhang) {
    EXPECT_EQ(FitCentre(CRect(0, 0, 20, 20), CSize(10, 7)), CRect(5, 6, 15, 13));
    EXPECT_EQ(FitCentre(CRect(10, 10, 20, 20), CSize(15, 4)), CRect(8, 13, 23, 17))
        << "halves round toward zero";
}

TEST(FitTest, ShrinkScalesDownUniformlyAndCentres) {
    EXPECT_EQ(FitShrink(CRect(0, 0, 100, 100), CSize(200, 100)), CRect(0, 25, 100, 75));
    EXPECT_EQ(FitShrink(CRect(0, 0, 100, 100), CSize(100, 400)), CRect(37, 0, 63, 100));
    EXPECT_EQ(FitShrink(CRect(2, 2, 78, 78), CSize(100, 50)), CRect(2, 21, 78, 59));
}

TEST(FitTest, ShrinkLeavesAnImageThatFitsAtItsSize) {
    EXPECT_EQ(FitShrink(CRect(0, 0, 100, 100), CSize(50, 50)), CRect(25, 25, 75, 75));
    EXPECT_EQ(FitShrink(CRect(2, 2, 78, 78), CSize(20, 10)), CRect(30, 35, 50, 45));
    EXPECT_EQ(FitShrink(CRect(0, 0, 100, 100), CSize(100, 100)), CRect(0, 0, 100, 100));
}

TEST(FitTest, ShrinkIntoAnAreaWithoutRoomGivesNothing) {
    EXPECT_TRUE(FitShrink(CRect(2, 2, 2, 40), CSize(10, 10)).IsRectEmpty());
    EXPECT_TRUE(FitShrink(CRect(2, 2, 0, 0), CSize(10, 10)).IsRectEmpty());
}

TEST(FitTest, CoverTakesTheLargestRegionOfTheAreasShape) {
    EXPECT_EQ(FitCover(CRect(0, 0, 200, 100), CSize(400, 300)), CSize(400, 200));
    EXPECT_EQ(FitCover(CRect(0, 0, 100, 200), CSize(400, 300)), CSize(150, 300));
    EXPECT_EQ(FitCover(CRect(0, 0, 40, 30), CSize(400, 300)), CSize(400, 300));
    EXPECT_EQ(FitCover(CRect(0, 0, 1000, 100), CSize(30, 30)), CSize(30, 4))
        << "a small image is enlarged, its trimmed height rounded to an even cut";
    EXPECT_EQ(FitCover(CRect(0, 0, 0, 100), CSize(30, 30)), CSize(30, 30));
}

}  // namespace
