// Grey conversion, resampling and the JPEG scaled decode that serves large reductions.

#include <gtest/gtest.h>

#include <cstdlib>

#include "image_checks.h"
#include "imaging/image.h"
#include "orientation.h"

namespace {

using imaging::Bitmap;
using imaging::ColorSpace;
using imaging::Image;
using samples::DecodeOrFail;
using samples::File;
using samples::Pattern;

Bitmap SolidColours(std::initializer_list<std::array<uint8_t, 3>> colours) {
    Bitmap picture = Pattern(static_cast<uint32_t>(colours.size()), 1, ColorSpace::kRgb);
    size_t i = 0;
    for (const auto& colour : colours) {
        std::copy(colour.begin(), colour.end(), &picture.samples[3 * i++]);
    }
    return picture;
}

TEST(GrayScale, UsesBt601WeightsOnRgbPaletteAndCmyk) {
    Bitmap primaries = SolidColours({{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}});
    Image rgb = DecodeOrFail(samples::MakePng(primaries));
    ASSERT_TRUE(rgb.GrayScale());
    EXPECT_EQ(rgb.GetBitmap().space, ColorSpace::kGray);
    EXPECT_EQ(rgb.GetBitmap().samples, (std::vector<uint8_t>{76, 150, 29, 255}));

    Bitmap indexed = Pattern(4, 1, ColorSpace::kIndexed, 8);
    indexed.samples = {0, 1, 2, 3};
    indexed.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0};
    Image palette = DecodeOrFail(samples::MakeGif(indexed));
    ASSERT_TRUE(palette.IsIndexed());
    ASSERT_TRUE(palette.GrayScale());
    EXPECT_FALSE(palette.IsIndexed());
    EXPECT_EQ(palette.GetBitmap().samples, (std::vector<uint8_t>{76, 150, 29, 0}));

    Bitmap ink = Pattern(2, 1, ColorSpace::kCmyk);
    ink.samples = {0, 0, 0, 0, 0, 255, 255, 0};  // white, then full magenta and yellow: red
    Image cmyk = DecodeOrFail(samples::MakeTiff(ink));
    ASSERT_TRUE(cmyk.GrayScale());
    EXPECT_EQ(cmyk.GetBitmap().samples, (std::vector<uint8_t>{255, 76}));
}

TEST(GrayScale, KeepsAlphaAndSixteenBits) {
    Bitmap picture = Pattern(16, 4, ColorSpace::kRgb, 16);
    samples::AddAlpha(picture);
    Image image = DecodeOrFail(samples::MakePng(picture));
    ASSERT_TRUE(image.GrayScale());
    EXPECT_EQ(image.GetBitmap().bitsPerComponent, 16);
    EXPECT_EQ(image.GetBitmap().alpha, picture.alpha);
    Bitmap gray = Pattern(16, 4, ColorSpace::kGray, 4);
    Image already = DecodeOrFail(samples::MakePng(gray));
    ASSERT_TRUE(already.GrayScale());
    EXPECT_EQ(samples::MaxDifference(gray, already.GetBitmap()), 0);
}

TEST(GrayScale, PaletteGifBecomesAGreyJpeg) {
    Image gif = DecodeOrFail(samples::MakeGif(Pattern(32, 32, ColorSpace::kIndexed, 8)));
    ASSERT_TRUE(gif.IsIndexed());
    ASSERT_TRUE(gif.GrayScale());
    std::vector<uint8_t> block;
    ASSERT_TRUE(gif.Encode(block, imaging::kFormatJpeg));
    EXPECT_EQ(imaging::Inspect(block.data(), block.size())->components, 1);
    Image jpeg = DecodeOrFail(samples::MakeJpeg(Pattern(32, 32, ColorSpace::kRgb)));
    ASSERT_TRUE(jpeg.GrayScale());
    ASSERT_TRUE(jpeg.Encode(block, imaging::kFormatJpeg));
    EXPECT_EQ(imaging::Inspect(block.data(), block.size())->components, 1);
}

TEST(Resample, GivesExactlyTheAskedSize) {
    struct Case {
        uint32_t width, height, toWidth, toHeight;
    };
    for (Case c : {Case{400, 300, 100, 75}, Case{300, 400, 100, 133}, Case{100, 200, 40, 80},
                   Case{10, 10, 35, 7}, Case{1, 1, 3, 2}}) {
        Image image = DecodeOrFail(samples::MakePng(Pattern(c.width, c.height, ColorSpace::kRgb)));
        for (int mode : {0, 1, 2}) {
            Image copy =
                DecodeOrFail(samples::MakePng(Pattern(c.width, c.height, ColorSpace::kRgb)));
            ASSERT_TRUE(copy.Resample(c.toWidth, c.toHeight, mode)) << copy.GetLastError();
            EXPECT_EQ(copy.GetWidth(), c.toWidth);
            EXPECT_EQ(copy.GetHeight(), c.toHeight);
            EXPECT_EQ(copy.GetBitmap().stride, c.toWidth * 3u);
        }
    }
}

TEST(Resample, LargeReductionsAverageInsteadOfAliasing) {
    Bitmap stripes = Pattern(400, 400, ColorSpace::kGray);
    for (uint32_t y = 0; y < 400; ++y) {
        for (uint32_t x = 0; x < 400; ++x) {
            stripes.samples[y * 400 + x] = (x + y) % 2 ? 255 : 0;
        }
    }
    Image image = DecodeOrFail(samples::MakePng(stripes));
    ASSERT_TRUE(image.Resample(40, 40, 2));
    for (uint8_t sample : image.GetBitmap().samples) {
        EXPECT_NEAR(sample, 128, 3);
    }
}

TEST(Resample, KeepsAlphaAndDepthAndExpandsPalettes) {
    Bitmap picture = Pattern(64, 32, ColorSpace::kRgb, 16);
    samples::AddAlpha(picture);
    Image image = DecodeOrFail(samples::MakePng(picture));
    ASSERT_TRUE(image.Resample(16, 8));
    EXPECT_EQ(image.GetBitmap().bitsPerComponent, 16);
    EXPECT_EQ(image.GetBitmap().alpha.size(), 16u * 8 * 2);
    EXPECT_EQ(image.GetBitmap().alpha[0], 0);
    Image palette = DecodeOrFail(samples::MakeGif(Pattern(64, 32, ColorSpace::kIndexed, 8)));
    ASSERT_TRUE(palette.Resample(16, 8));
    EXPECT_FALSE(palette.IsIndexed());
    EXPECT_EQ(palette.GetBitmap().space, ColorSpace::kRgb);
    Image bilevel = DecodeOrFail(samples::MakeTiff(Pattern(64, 32, ColorSpace::kGray, 1)));
    ASSERT_TRUE(bilevel.Resample(16, 8));
    EXPECT_EQ(bilevel.GetBitmap().bitsPerComponent, 8);
}

TEST(Resample, ASideRoundedDownToZeroBecomesOne) {
    Image image = DecodeOrFail(samples::MakePng(Pattern(300, 2, ColorSpace::kRgb)));
    ASSERT_TRUE(image.Resample(100, 0));
    EXPECT_EQ(image.GetWidth(), 100u);
    EXPECT_EQ(image.GetHeight(), 1u);
}

TEST(Resample, RefusesBadArguments) {
    Image image = DecodeOrFail(samples::MakePng(Pattern(8, 8, ColorSpace::kRgb)));
    EXPECT_FALSE(image.Resample(8, 8, 7));
    EXPECT_EQ(image.GetLastError(), "unknown resample mode 7");
    EXPECT_TRUE(image.IsValid());
    Image empty;
    EXPECT_FALSE(empty.Resample(4, 4));
}

TEST(Resample, JpegScaledDecodeMatchesAFullDecode) {
    Bitmap photo = Pattern(1600, 1200, ColorSpace::kRgb);
    File jpeg = samples::MakeJpeg(photo);
    Image scaled = DecodeOrFail(jpeg);
    ASSERT_TRUE(scaled.Resample(200, 150));
    Image full = DecodeOrFail(jpeg);
    full.GetBitmap();  // decodes at full size first
    ASSERT_TRUE(full.Resample(200, 150));
    EXPECT_EQ(scaled.GetWidth(), 200u);
    EXPECT_EQ(scaled.GetHeight(), 150u);
    EXPECT_LT(samples::MeanDifference(full.GetBitmap(), scaled.GetBitmap()), 1.0);
}

TEST(Resample, DeferredJpegFailureMakesTheImageInvalid) {
    File jpeg = samples::MakeJpeg(Pattern(64, 64, ColorSpace::kRgb));
    size_t frame = 2;
    while (!(jpeg[frame] == 0xFF && jpeg[frame + 1] == 0xC0)) {
        ++frame;
    }
    size_t length = 2 + (jpeg[frame + 2] << 8 | jpeg[frame + 3]);
    File secondFrame(jpeg.begin() + frame, jpeg.begin() + frame + length);
    jpeg.insert(jpeg.end() - 2, secondFrame.begin(), secondFrame.end());  // before the end marker
    Image image = DecodeOrFail(jpeg);
    EXPECT_EQ(image.GetWidth(), 64u);
    EXPECT_TRUE(image.GetBitmap().samples.empty());
    EXPECT_FALSE(image.IsValid());
    EXPECT_NE(image.GetLastError().find("damaged JPEG"), std::string::npos);
    std::vector<uint8_t> block;
    EXPECT_FALSE(image.Encode(block, imaging::kFormatPng));
}

}  // namespace

// Turning by an orientation and then by its inverse gives the picture back, in every layout
// (packed 1- and 4-bit samples, palettes, 16-bit samples, alpha planes); turning a quarter is
// the transposition followed by a mirror.
TEST(Orientation, TurnsAndMirrorsEveryLayout) {
    Bitmap withAlpha = Pattern(7, 3, ColorSpace::kRgb);
    samples::AddAlpha(withAlpha);
    const Bitmap layouts[] = {Pattern(13, 5, ColorSpace::kGray, 1),
                              Pattern(9, 4, ColorSpace::kIndexed, 4),
                              Pattern(6, 5, ColorSpace::kRgb, 16), withAlpha};
    const int inverse[] = {0, 1, 2, 3, 4, 5, 8, 7, 6};
    for (const Bitmap& picture : layouts) {
        for (uint8_t orientation = 1; orientation <= 8; ++orientation) {
            const Bitmap shown = imaging::OrientBitmap(picture, orientation);
            EXPECT_EQ(shown.width, orientation >= 5 ? picture.height : picture.width);
            samples::ExpectSameBitmap(
                picture, imaging::OrientBitmap(shown, static_cast<uint8_t>(inverse[orientation])));
        }
        samples::ExpectSameBitmap(imaging::OrientBitmap(picture, 6),
                                  imaging::OrientBitmap(imaging::OrientBitmap(picture, 5), 2));
    }
}

// A JPEG still to be decoded reports the turned size at once and is turned after its reduced
// decode; its resolution turns with it.
TEST(Orientation, PendingJpegIsTurnedAfterItsReducedDecode) {
    const File exif = samples::MakeTiffStructure(
        {{0x0112, 3, {8}}, {282, 5, {300, 1}}, {283, 5, {150, 1}}, {296, 3, {2}}});
    Image image =
        DecodeOrFail(samples::MakeJpeg(Pattern(64, 32, ColorSpace::kRgb), {.exif = exif}));
    EXPECT_EQ(image.GetOrientation(), 8u);
    ASSERT_TRUE(image.AutoOrient());
    EXPECT_EQ(image.GetOrientation(), 1u);
    EXPECT_EQ(image.GetWidth(), 32u);
    EXPECT_EQ(image.GetHeight(), 64u);
    EXPECT_EQ(image.GetXDPI(), 150u);
    EXPECT_EQ(image.GetYDPI(), 300u);
    ASSERT_TRUE(image.Resample(8, 16));
    EXPECT_EQ(image.GetBitmap().width, 8u);
    EXPECT_EQ(image.GetBitmap().height, 16u);
}
