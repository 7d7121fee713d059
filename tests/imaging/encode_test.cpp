// Encoding into memory: round trips per format, resolution written into each, quality and
// palette rules.

#include <gtest/gtest.h>

#include "image_checks.h"
#include "imaging/image.h"

namespace {

using imaging::Bitmap;
using imaging::ColorSpace;
using imaging::Image;
using samples::File;
using samples::Pattern;

Image FromPicture(const Bitmap& picture) {
    return samples::DecodeOrFail(samples::MakePng(picture));
}

Image FromTiff(const Bitmap& picture) {
    return samples::DecodeOrFail(samples::MakeTiff(picture));
}

std::vector<uint8_t> EncodeOrFail(Image& image, uint32_t format) {
    std::vector<uint8_t> block;
    EXPECT_TRUE(image.Encode(block, format)) << image.GetLastError();
    EXPECT_FALSE(block.empty());
    return block;
}

Image Reload(const std::vector<uint8_t>& block, uint32_t expectedFormat) {
    Image image = samples::DecodeOrFail(block);
    EXPECT_EQ(image.GetType(), expectedFormat);
    return image;
}

void ExpectLossless(const Bitmap& picture, uint32_t format) {
    Image image = FromTiff(picture);
    Image back = Reload(EncodeOrFail(image, format), format);
    samples::ExpectSameBitmap(picture, back.GetBitmap());
}

TEST(Encoding, PngAndTiffRoundTripsKeepLayoutExactly) {
    std::vector<Bitmap> pictures = {
        Pattern(29, 11, ColorSpace::kGray, 1),   Pattern(29, 11, ColorSpace::kGray, 4),
        Pattern(29, 11, ColorSpace::kGray, 16),  Pattern(29, 11, ColorSpace::kRgb, 8),
        Pattern(29, 11, ColorSpace::kRgb, 16),   Pattern(29, 11, ColorSpace::kIndexed, 2),
        Pattern(29, 11, ColorSpace::kIndexed, 8)};
    Bitmap alpha8 = Pattern(29, 11, ColorSpace::kRgb, 8),
           alpha16 = Pattern(29, 11, ColorSpace::kGray, 16);
    samples::AddAlpha(alpha8);
    samples::AddAlpha(alpha16);
    pictures.push_back(alpha8);
    pictures.push_back(alpha16);
    for (const Bitmap& picture : pictures) {
        ExpectLossless(picture, imaging::kFormatPng);
        ExpectLossless(picture, imaging::kFormatTiff);
    }
    ExpectLossless(Pattern(29, 11, ColorSpace::kCmyk), imaging::kFormatTiff);
}

TEST(Encoding, PaletteTransparencyTravelsAsTrnsOrAnAlphaChannel) {
    Bitmap indexed = Pattern(16, 8, ColorSpace::kIndexed, 2);
    File file = samples::MakePng(indexed, {.transparentIndexFrom = 3});
    Image image;
    ASSERT_TRUE(image.Decode(file.data(), file.size()));
    Image back = Reload(EncodeOrFail(image, imaging::kFormatPng), imaging::kFormatPng);
    EXPECT_TRUE(back.IsIndexed());
    EXPECT_EQ(back.GetBitmap().alpha, image.GetBitmap().alpha);
}

TEST(Encoding, JpegKeepsGreyAsOneChannelAndFollowsTheQuality) {
    Image gray = FromPicture(Pattern(64, 48, ColorSpace::kGray));
    std::vector<uint8_t> block = EncodeOrFail(gray, imaging::kFormatJpeg);
    auto info = imaging::Inspect(block.data(), block.size());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->components, 1);
    Bitmap rgb = Pattern(64, 48, ColorSpace::kRgb);
    Image color = FromPicture(rgb);
    std::vector<uint8_t> fine = EncodeOrFail(color, imaging::kFormatJpeg);  // default 75
    color.SetJpegQuality(30);
    std::vector<uint8_t> coarse = EncodeOrFail(color, imaging::kFormatJpeg);
    color.SetJpegQuality(100);
    std::vector<uint8_t> best = EncodeOrFail(color, imaging::kFormatJpeg);
    EXPECT_LT(coarse.size(), fine.size());
    EXPECT_LT(fine.size(), best.size());
    EXPECT_LT(samples::MeanDifference(rgb, Reload(best, imaging::kFormatJpeg).GetBitmap()), 1.0);
    EXPECT_LT(samples::MeanDifference(rgb, Reload(coarse, imaging::kFormatJpeg).GetBitmap()), 4.0);
}

TEST(Encoding, JpegComposesTransparencyOverWhiteAndKeepsCmyk) {
    Bitmap picture = Pattern(32, 8, ColorSpace::kRgb);
    samples::AddAlpha(picture);
    Image image = FromPicture(picture);
    image.SetJpegQuality(100);
    Image back = Reload(EncodeOrFail(image, imaging::kFormatJpeg), imaging::kFormatJpeg);
    EXPECT_GE(back.GetBitmap().samples[0], 250);  // a transparent pixel became white
    EXPECT_TRUE(back.GetBitmap().alpha.empty());
    Bitmap cmyk = Pattern(32, 16, ColorSpace::kCmyk);
    Image ink = FromTiff(cmyk);
    ink.SetJpegQuality(95);
    Image inkBack = Reload(EncodeOrFail(ink, imaging::kFormatJpeg), imaging::kFormatJpeg);
    EXPECT_EQ(inkBack.GetBitmap().space, ColorSpace::kCmyk);
    EXPECT_LT(samples::MeanDifference(cmyk, inkBack.GetBitmap()), 2.0);
}

TEST(Encoding, GifKeepsPalettesAndQuantisesColour) {
    ExpectLossless(Pattern(40, 30, ColorSpace::kIndexed, 8), imaging::kFormatGif);
    Bitmap gray = Pattern(40, 30, ColorSpace::kGray, 8);
    Image grayImage = FromPicture(gray);
    Image grayBack = Reload(EncodeOrFail(grayImage, imaging::kFormatGif), imaging::kFormatGif);
    ASSERT_TRUE(grayBack.GrayScale());  // a grey ramp palette
    EXPECT_EQ(samples::MaxDifference(gray, grayBack.GetBitmap()), 0);
    Bitmap photo = Pattern(160, 120, ColorSpace::kRgb);  // thousands of colours
    Image photoImage = FromPicture(photo);
    Image photoBack = Reload(EncodeOrFail(photoImage, imaging::kFormatGif), imaging::kFormatGif);
    ASSERT_TRUE(photoBack.IsIndexed());
    EXPECT_EQ(photoBack.GetBitmap().palette.size(), 3u * 256);
    // Truncating to 3-3-2 bits would be off by about 11 on average.
    EXPECT_LT(samples::MeanDifference(photo, samples::ToRgb(photoBack.GetBitmap())), 4.0);
}

TEST(Encoding, GifTransparencyGetsAnEntryOfItsOwn) {
    Bitmap picture = Pattern(64, 16, ColorSpace::kRgb);
    samples::AddAlpha(picture);  // left quarter transparent, second quarter half
    Image image = FromPicture(picture);
    Image back = Reload(EncodeOrFail(image, imaging::kFormatGif), imaging::kFormatGif);
    const Bitmap& bitmap = back.GetBitmap();
    ASSERT_EQ(bitmap.alpha.size(), 64u * 16);
    EXPECT_EQ(bitmap.alpha[0], 0);
    EXPECT_EQ(bitmap.alpha[20], 255);  // 128 counts as opaque
    EXPECT_EQ(bitmap.alpha[63], 255);
}

TEST(Encoding, ResolutionIsWrittenIntoEveryFormatThatHasOne) {
    for (uint32_t format : {imaging::kFormatJpeg, imaging::kFormatPng, imaging::kFormatTiff}) {
        Image image = FromPicture(Pattern(16, 16, ColorSpace::kRgb));
        image.SetXDPI(300);
        image.SetYDPI(150);
        Image back = Reload(EncodeOrFail(image, format), format);
        EXPECT_EQ(back.GetXDPI(), 300u) << format;
        EXPECT_EQ(back.GetYDPI(), 150u) << format;
    }
    Image gif = FromPicture(Pattern(16, 16, ColorSpace::kIndexed, 4));
    gif.SetXDPI(300);
    EXPECT_EQ(Reload(EncodeOrFail(gif, imaging::kFormatGif), imaging::kFormatGif).GetXDPI(), 72u);
}

TEST(Encoding, UnknownFormatsAndEmptyImagesFail) {
    Image image = FromPicture(Pattern(8, 8, ColorSpace::kRgb));
    std::vector<uint8_t> block = {1, 2, 3};
    for (uint32_t format : {0u, uint32_t{imaging::kFormatBmp}, 5u, 99u}) {
        EXPECT_FALSE(image.Encode(block, format));
        EXPECT_TRUE(block.empty());
        EXPECT_FALSE(image.GetLastError().empty());
    }
    EXPECT_TRUE(image.IsValid());
    Image empty;
    EXPECT_FALSE(empty.Encode(block, imaging::kFormatPng));
    EXPECT_EQ(empty.GetLastError(), "no image");
}

}  // namespace
