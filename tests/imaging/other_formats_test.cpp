// MNG, JBIG and camera raw, and telling camera raw apart from plain TIFF.

#include <gtest/gtest.h>

#include "image_checks.h"
#include "imaging/image.h"
#include "temp_dir.h"

namespace {

using imaging::Bitmap;
using imaging::ColorSpace;
using imaging::Image;
using samples::DecodeOrFail;
using samples::File;
using samples::Pattern;

TEST(MngReading, FirstFrameWithItsTransparency) {
    Bitmap first = Pattern(24, 16, ColorSpace::kRgb);
    samples::AddAlpha(first);
    Bitmap second = Pattern(24, 16, ColorSpace::kRgb);
    std::fill(second.samples.begin(), second.samples.end(), 7);
    File mng = samples::MakeMng({first, second});
    Image image = DecodeOrFail(mng);
    EXPECT_EQ(image.GetType(), imaging::kFormatMng);
    const Bitmap& bitmap = image.GetBitmap();
    ASSERT_EQ(bitmap.width, 24u);
    EXPECT_EQ(bitmap.alpha, first.alpha);
    for (size_t i = 0; i < bitmap.alpha.size(); ++i) {  // colour survives where it is visible
        if (bitmap.alpha[i] == 255) {
            EXPECT_EQ(bitmap.samples[3 * i], first.samples[3 * i]);
        }
    }
    auto info = imaging::Inspect(mng.data(), mng.size());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->format, imaging::kFormatMng);
    EXPECT_EQ(info->height, 16u);
}

TEST(JbigReading, OnePlaneIsBilevelAndEightPlanesAreGrey) {
    Bitmap bilevel = Pattern(37, 21, ColorSpace::kGray, 1);
    Image one = DecodeOrFail(samples::MakeJbig(bilevel));
    EXPECT_EQ(one.GetType(), imaging::kFormatJbig);
    EXPECT_EQ(one.GetBitmap().bitsPerComponent, 1);
    EXPECT_EQ(samples::MaxDifference(bilevel, one.GetBitmap()), 0);
    Bitmap gray = Pattern(37, 21, ColorSpace::kGray, 8);
    Image eight = DecodeOrFail(samples::MakeJbig(gray));
    EXPECT_EQ(samples::MaxDifference(gray, eight.GetBitmap()), 0);
}

TEST(RawReading, DemosaicsADngIntoRgb) {
    Bitmap scene = Pattern(64, 48, ColorSpace::kRgb);
    for (uint32_t y = 0; y < 48; ++y) {  // bright left half, dark right half
        for (uint32_t x = 0; x < 64; ++x) {
            std::fill_n(&scene.samples[(y * 64 + x) * 3], 3, x < 32 ? 230 : 20);
        }
    }
    File dng = samples::MakeDng(scene);
    Image image = DecodeOrFail(dng);
    EXPECT_EQ(image.GetType(), imaging::kFormatRaw);
    const Bitmap& bitmap = image.GetBitmap();
    ASSERT_EQ(bitmap.space, ColorSpace::kRgb);
    EXPECT_EQ(bitmap.width, 64u);
    EXPECT_EQ(bitmap.height, 48u);
    size_t middle = (24 * 64) * 3;
    EXPECT_GT(bitmap.samples[middle + 8 * 3 + 1], bitmap.samples[middle + 56 * 3 + 1] + 100);
    EXPECT_EQ(image.GetXDPI(), 72u);
}

TEST(RawReading, PlainTiffsStayTiffEvenWithAMakeTag) {
    Bitmap picture = Pattern(20, 10, ColorSpace::kRgb);
    Image scanner = DecodeOrFail(samples::MakeTiff(picture, {.make = "Scanner Works"}));
    EXPECT_EQ(scanner.GetType(), imaging::kFormatTiff);
    Bitmap gray = Pattern(20, 10, ColorSpace::kGray, 16);
    Image deep = DecodeOrFail(samples::MakeTiff(gray, {.make = "Scanner Works"}));
    EXPECT_EQ(deep.GetType(), imaging::kFormatTiff);
    EXPECT_EQ(samples::MaxDifference(gray, deep.GetBitmap()), 0);
}

TEST(FormatDetection, ComesFromTheContentNotTheName) {
    testsupport::TempDir dir;
    File png = samples::MakePng(Pattern(8, 8, ColorSpace::kRgb));
    testsupport::WriteFile(dir / "photo.jpg", std::string(png.begin(), png.end()));
    Image image;
    ASSERT_TRUE(image.Load((dir / "photo.jpg").wstring(), imaging::kFormatJpeg))
        << image.GetLastError();
    EXPECT_EQ(image.GetType(), imaging::kFormatPng);
    EXPECT_FALSE(image.Load((dir / "missing.png").wstring()));
    EXPECT_EQ(image.GetLastError(), "cannot read the file: No such file or directory");
}

}  // namespace
