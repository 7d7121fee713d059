// Every reader keeps what the file holds: layout, depth, palette, transparency, resolution.

#include <gtest/gtest.h>
#include <tiff.h>

#include "image_checks.h"
#include "imaging/image.h"

namespace {

using imaging::Bitmap;
using imaging::ColorSpace;
using imaging::Image;
using samples::DecodeOrFail;
using samples::ExpectSameBitmap;
using samples::File;
using samples::InspectOrFail;
using samples::Pattern;

TEST(JpegReading, DecodesGreyRgbAndCmykInTheirOwnLayout) {
    for (ColorSpace space : {ColorSpace::kGray, ColorSpace::kRgb, ColorSpace::kCmyk}) {
        Bitmap picture = Pattern(40, 24, space);
        Image image = DecodeOrFail(samples::MakeJpeg(picture));
        EXPECT_EQ(image.GetType(), imaging::kFormatJpeg);
        EXPECT_FALSE(image.IsIndexed());
        EXPECT_EQ(image.GetBitmap().space, space);
        EXPECT_LT(samples::MeanDifference(picture, image.GetBitmap()), 2.0);
    }
}

TEST(JpegReading, InspectReportsProgressiveAndAdobeCmyk) {
    imaging::ImageInfo progressive =
        InspectOrFail(samples::MakeJpeg(Pattern(33, 17, ColorSpace::kRgb), {.progressive = true}));
    EXPECT_TRUE(progressive.progressive);
    EXPECT_EQ(progressive.width, 33u);
    EXPECT_EQ(progressive.components, 3);
    imaging::ImageInfo cmyk = InspectOrFail(samples::MakeJpeg(Pattern(8, 8, ColorSpace::kCmyk)));
    EXPECT_TRUE(cmyk.adobeInverted);
    EXPECT_EQ(cmyk.space, ColorSpace::kCmyk);
    Bitmap plain = Pattern(16, 16, ColorSpace::kCmyk);
    Image straight = DecodeOrFail(samples::MakeJpeg(plain, {.adobeCmyk = false}));
    EXPECT_LT(samples::MeanDifference(plain, straight.GetBitmap()), 2.0);
}

// Any number of 0xFF fill bytes may precede a marker; an odd number before the end marker must
// not make the completeness check step over the marker itself.
TEST(JpegReading, FillBytesBeforeTheEndMarkerKeepTheFileComplete) {
    Bitmap picture = Pattern(16, 8, ColorSpace::kRgb);
    const File plain = samples::MakeJpeg(picture);
    ASSERT_EQ(plain[plain.size() - 2], 0xFF);
    ASSERT_EQ(plain.back(), 0xD9);
    const Image reference = DecodeOrFail(plain);
    for (size_t fill : {1u, 2u, 3u}) {
        File padded(plain.begin(), plain.end() - 2);
        padded.insert(padded.end(), fill, 0xFF);
        padded.insert(padded.end(), {0xFF, 0xD9});
        const Image image = DecodeOrFail(padded);
        EXPECT_EQ(image.GetBitmap().samples, reference.GetBitmap().samples) << fill;
    }
}

// A file that stops right after its scan data decodes as if its end marker were there; one
// cut inside its scan data fails, even when an end marker was put after the cut, where libjpeg
// alone would draw the missing rows grey.
TEST(JpegReading, OnlyAMissingEndMarkerIsForgiven) {
    for (bool progressive : {false, true}) {
        const File whole =
            samples::MakeJpeg(Pattern(64, 48, ColorSpace::kRgb), {.progressive = progressive});
        const Image reference = DecodeOrFail(whole);
        const Image unended = DecodeOrFail(File(whole.begin(), whole.end() - 2));
        EXPECT_EQ(unended.GetBitmap().samples, reference.GetBitmap().samples) << progressive;

        File patched(whole.begin(), whole.begin() + whole.size() * 3 / 4);
        patched.insert(patched.end(), {0xFF, 0xD9});
        Image image;
        std::vector<uint8_t> block;
        EXPECT_FALSE(image.Decode(patched.data(), patched.size()) &&
                     image.Encode(block, imaging::kFormatPng))
            << progressive;
        EXPECT_EQ(image.GetLastError(), "truncated JPEG data") << progressive;
        EXPECT_FALSE(image.IsValid());
        EXPECT_TRUE(block.empty());
    }
}

// Scan data that lost its place (a restart marker out of sequence, as a flipped bit leaves
// it) fails with a reason instead of drawing garbled rows.
TEST(JpegReading, ScanDataOutOfStepFails) {
    const File whole = samples::MakeJpeg(Pattern(64, 48, ColorSpace::kRgb), {.restartRows = 1});
    DecodeOrFail(whole);
    File damaged = whole;
    const std::string text(whole.begin(), whole.end());
    const size_t restart = text.find("\xFF\xD1");
    ASSERT_NE(restart, std::string::npos);
    damaged[restart + 1] = 0xD5;
    Image image;
    std::vector<uint8_t> block;
    EXPECT_FALSE(image.Decode(damaged.data(), damaged.size()) &&
                 image.Encode(block, imaging::kFormatPng));
    EXPECT_EQ(image.GetLastError().rfind("damaged JPEG: ", 0), 0u) << image.GetLastError();
}

TEST(JpegReading, ResolutionComesFromJfifThenExifElse72) {
    Bitmap picture = Pattern(8, 8, ColorSpace::kGray);
    EXPECT_EQ(InspectOrFail(samples::MakeJpeg(picture, {.jfifUnit = 1, .jfifDensity = 300})).xdpi,
              300u);
    EXPECT_EQ(InspectOrFail(samples::MakeJpeg(picture, {.jfifUnit = 2, .jfifDensity = 118})).xdpi,
              300u);
    File exif = samples::MakeTiffStructure({{282, 5, {240, 1}}, {283, 5, {180, 1}}, {296, 3, {2}}});
    Image image = DecodeOrFail(samples::MakeJpeg(picture, {.exif = exif}));
    EXPECT_EQ(image.GetXDPI(), 240u);
    EXPECT_EQ(image.GetYDPI(), 180u);
    EXPECT_EQ(DecodeOrFail(samples::MakeJpeg(picture)).GetXDPI(), 72u);
}

TEST(PngReading, KeepsEveryDepthAndPalette) {
    for (uint8_t bits : {1, 2, 4, 8, 16}) {
        Bitmap gray = Pattern(13, 7, ColorSpace::kGray, bits);
        ExpectSameBitmap(gray, DecodeOrFail(samples::MakePng(gray)).GetBitmap());
    }
    for (uint8_t bits : {1, 2, 4, 8}) {
        Bitmap indexed = Pattern(13, 7, ColorSpace::kIndexed, bits);
        Image image = DecodeOrFail(samples::MakePng(indexed, {.interlaced = bits == 4}));
        EXPECT_TRUE(image.IsIndexed());
        ExpectSameBitmap(indexed, image.GetBitmap());
    }
    for (uint8_t bits : {8, 16}) {
        Bitmap rgb = Pattern(21, 11, ColorSpace::kRgb, bits);
        ExpectSameBitmap(rgb,
                         DecodeOrFail(samples::MakePng(rgb, {.interlaced = true})).GetBitmap());
    }
}

TEST(PngReading, AlphaChannelsAndTransparencyBecomeTheAlphaPlane) {
    for (ColorSpace space : {ColorSpace::kGray, ColorSpace::kRgb}) {
        for (uint8_t bits : {8, 16}) {
            for (bool interlaced : {false, true}) {
                Bitmap picture = Pattern(19, 9, space, bits);
                samples::AddAlpha(picture);
                File file = samples::MakePng(picture, {.interlaced = interlaced});
                ExpectSameBitmap(picture, DecodeOrFail(file).GetBitmap());
                EXPECT_TRUE(InspectOrFail(file).hasAlpha);
            }
        }
    }
    Bitmap indexed = Pattern(16, 4, ColorSpace::kIndexed, 2);
    Image keyed = DecodeOrFail(samples::MakePng(indexed, {.transparentIndexFrom = 2}));
    const Bitmap& bitmap = keyed.GetBitmap();
    ASSERT_EQ(bitmap.alpha.size(), 64u);
    for (size_t i = 0; i < 64; ++i) {
        uint8_t index = (indexed.samples[i / 4] >> (6 - 2 * (i % 4))) & 3;
        EXPECT_EQ(bitmap.alpha[i], index < 2 ? 255 : 0);
    }
}

TEST(PngReading, ColourKeyOnGreyAndRgb) {
    for (ColorSpace space : {ColorSpace::kGray, ColorSpace::kRgb}) {
        for (uint8_t bits : {2, 8, 16}) {
            if (space == ColorSpace::kRgb && bits == 2) {
                continue;
            }
            Bitmap picture = Pattern(12, 6, space, bits);
            Image image = DecodeOrFail(samples::MakePng(picture, {.colorKey = true}));
            const Bitmap& bitmap = image.GetBitmap();
            ASSERT_FALSE(bitmap.alpha.empty());
            EXPECT_EQ(bitmap.alpha[0], 0);
            EXPECT_EQ(bitmap.alpha.back(), 255);
            EXPECT_EQ(bitmap.alpha.size(), 72u * (bits == 16 ? 2 : 1));
        }
    }
}

TEST(PngReading, PhysicalResolution) {
    Bitmap picture = Pattern(4, 4, ColorSpace::kRgb);
    EXPECT_EQ(DecodeOrFail(samples::MakePng(picture, {.pixelsPerMetre = 11811})).GetXDPI(), 300u);
    EXPECT_EQ(DecodeOrFail(samples::MakePng(picture)).GetYDPI(), 72u);
}

TEST(GifReading, FirstFrameAsPaletteImage) {
    Bitmap picture = Pattern(23, 19, ColorSpace::kIndexed, 8);
    for (bool interlace : {false, true}) {
        for (bool local : {false, true}) {
            Image image = DecodeOrFail(samples::MakeGif(
                picture, {.interlace = interlace, .localColorTable = local, .secondFrame = true}));
            EXPECT_EQ(image.GetType(), imaging::kFormatGif);
            EXPECT_TRUE(image.IsIndexed());
            ExpectSameBitmap(picture, image.GetBitmap());
        }
    }
}

TEST(GifReading, TransparencyAndFramePlacement) {
    Bitmap picture = Pattern(8, 8, ColorSpace::kIndexed, 8);
    File file = samples::MakeGif(
        picture,
        {.transparentIndex = 3, .screenWidth = 12, .screenHeight = 10, .left = 4, .top = 2});
    Image image = DecodeOrFail(file);
    const Bitmap& bitmap = image.GetBitmap();
    ASSERT_EQ(bitmap.width, 12u);
    ASSERT_EQ(bitmap.alpha.size(), 120u);
    EXPECT_EQ(bitmap.alpha[0], 0);  // outside the frame
    EXPECT_EQ(bitmap.samples[2 * 12 + 4], picture.samples[0]);
    EXPECT_EQ(bitmap.alpha[2 * 12 + 4 + 3], 0);  // index 3 is transparent
    EXPECT_EQ(bitmap.alpha[2 * 12 + 4 + 2], 255);
    EXPECT_TRUE(InspectOrFail(file).hasAlpha);
}

TEST(BmpReading, PaletteDepthsBothRowOrdersAndRle) {
    for (uint8_t bits : {1, 2, 4, 8}) {
        Bitmap picture = Pattern(19, 7, ColorSpace::kIndexed, bits);
        for (bool topDown : {false, true}) {
            ExpectSameBitmap(
                picture, DecodeOrFail(samples::MakeBmp(picture, {.topDown = topDown})).GetBitmap());
        }
    }
    Bitmap core = Pattern(9, 5, ColorSpace::kIndexed, 4);
    ExpectSameBitmap(core, DecodeOrFail(samples::MakeBmp(core, {.headerSize = 12})).GetBitmap());
    for (uint8_t bits : {4, 8}) {
        Bitmap picture = Pattern(37, 9, ColorSpace::kIndexed, bits);
        Image image = DecodeOrFail(samples::MakeBmp(picture, {.rle = true}));
        Bitmap expected = picture;
        if (bits == 4) {  // RLE4 arrives as one index per byte
            expected = Pattern(37, 9, ColorSpace::kIndexed, 8);
            for (uint32_t i = 0; i < 37 * 9; ++i) {
                uint32_t x = i % 37, y = i / 37;
                expected.samples[i] =
                    (picture.samples[y * picture.stride + x / 2] >> (x % 2 ? 0 : 4)) & 15;
            }
            expected.palette = picture.palette;
        }
        ExpectSameBitmap(expected, image.GetBitmap());
    }
}

TEST(BmpReading, TrueColourWithMasksAlphaAndResolution) {
    Bitmap picture = Pattern(17, 6, ColorSpace::kRgb);
    for (unsigned bits : {24u, 32u}) {
        Image image = DecodeOrFail(samples::MakeBmp(picture, {.pixelsPerMetre = 3937}, bits));
        ExpectSameBitmap(picture, image.GetBitmap());
        EXPECT_EQ(image.GetXDPI(), 100u);
    }
    for (bool is565 : {false, true}) {
        Image image = DecodeOrFail(samples::MakeBmp(picture, {.bitFields565 = is565}, 16));
        EXPECT_LE(samples::MaxDifference(picture, image.GetBitmap()), 8);
    }
    Bitmap withAlpha = picture;
    samples::AddAlpha(withAlpha);
    for (unsigned header : {56u, 108u, 124u}) {
        Image image = DecodeOrFail(
            samples::MakeBmp(withAlpha, {.headerSize = header, .alphaMask = true}, 32));
        ExpectSameBitmap(withAlpha, image.GetBitmap());
    }
    Image bare = DecodeOrFail(samples::MakeBmp(picture, {.bareDib = true}));
    EXPECT_EQ(bare.GetType(), imaging::kFormatBmp);
    ExpectSameBitmap(picture, bare.GetBitmap());
}

TEST(TiffReading, BilevelStaysOneBitWithZeroForBlack) {
    Bitmap picture = Pattern(45, 13, ColorSpace::kGray, 1);
    for (uint16_t compression : {COMPRESSION_NONE, COMPRESSION_PACKBITS, COMPRESSION_CCITTRLE,
                                 COMPRESSION_CCITTFAX3, COMPRESSION_CCITTFAX4}) {
        Image image = DecodeOrFail(
            samples::MakeTiff(picture, {.compression = compression, .minIsWhite = true}));
        EXPECT_EQ(image.GetType(), imaging::kFormatTiff);
        ExpectSameBitmap(picture, image.GetBitmap());
    }
}

TEST(TiffReading, GreyRgbPaletteAndCmykKeepTheirLayout) {
    std::vector<Bitmap> pictures = {
        Pattern(20, 9, ColorSpace::kGray, 4),    Pattern(20, 9, ColorSpace::kGray, 16),
        Pattern(20, 9, ColorSpace::kRgb, 8),     Pattern(20, 9, ColorSpace::kRgb, 16),
        Pattern(20, 9, ColorSpace::kIndexed, 4), Pattern(20, 9, ColorSpace::kIndexed, 8),
        Pattern(20, 9, ColorSpace::kCmyk, 8)};
    for (const Bitmap& picture : pictures) {
        for (uint16_t compression :
             {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE}) {
            for (bool tiled : {false, true}) {
                File file =
                    samples::MakeTiff(picture, {.compression = compression, .tiled = tiled});
                ExpectSameBitmap(picture, DecodeOrFail(file).GetBitmap());
            }
        }
    }
}

TEST(TiffReading, AlphaSamplesPremultipliedOrNot) {
    for (uint8_t bits : {8, 16}) {
        Bitmap picture = Pattern(20, 9, ColorSpace::kRgb, bits);
        samples::AddAlpha(picture);
        ExpectSameBitmap(picture, DecodeOrFail(samples::MakeTiff(picture)).GetBitmap());
        Image premultiplied =
            DecodeOrFail(samples::MakeTiff(picture, {.premultipliedAlpha = true}));
        const Bitmap& bitmap = premultiplied.GetBitmap();
        EXPECT_EQ(bitmap.alpha, picture.alpha);
        size_t opaque = bitmap.stride - bitmap.stride / 2;  // the right half of every row
        for (uint32_t y = 0; y < bitmap.height; ++y) {
            size_t start = y * bitmap.stride + bitmap.stride / 2;
            EXPECT_TRUE(std::equal(&bitmap.samples[start], &bitmap.samples[start] + opaque,
                                   &picture.samples[start]));
        }
    }
}

// libtiff's RGBA conversion (taken for separate planes) multiplies colour by alpha; the bitmap
// must get it back straight, whichever way the file stores it.
TEST(TiffReading, AlphaIsStraightAfterTheRgbaConversion) {
    Bitmap picture = Pattern(20, 9, ColorSpace::kRgb);
    samples::AddAlpha(picture);
    for (bool premultiplied : {false, true}) {
        Image image = DecodeOrFail(samples::MakeTiff(
            picture, {.premultipliedAlpha = premultiplied, .separatePlanes = true}));
        const Bitmap& bitmap = image.GetBitmap();
        ASSERT_EQ(bitmap.alpha, picture.alpha);
        for (size_t i = 0; i < picture.alpha.size(); ++i) {
            if (picture.alpha[i] < 128) {
                continue;  // too little of the colour survives premultiplication to compare
            }
            for (size_t c = 3 * i; c < 3 * i + 3; ++c) {
                ASSERT_NEAR(bitmap.samples[c], picture.samples[c], 2)
                    << "pixel " << i << (premultiplied ? " premultiplied" : " straight");
            }
        }
    }
}

// 9- to 15-bit grey and RGB widen to 16 bits; CMYK of more than 8 bits narrows to 8.
TEST(TiffReading, DeepSamplesAreRead) {
    for (ColorSpace space : {ColorSpace::kGray, ColorSpace::kRgb}) {
        const Bitmap picture = Pattern(13, 7, space);
        for (unsigned bits : {10u, 12u, 14u}) {
            Image image = DecodeOrFail(samples::MakeDeepTiff(picture, bits));
            const Bitmap& bitmap = image.GetBitmap();
            ASSERT_EQ(bitmap.bitsPerComponent, 16);
            ASSERT_EQ(bitmap.space, space);
            const int step = 65535 / ((1 << bits) - 1) + 1;
            for (uint32_t y = 0; y < picture.height; ++y) {
                for (size_t i = 0; i < picture.stride; ++i) {
                    const uint8_t* wide = &bitmap.samples[y * bitmap.stride + 2 * i];
                    ASSERT_NEAR(wide[0] << 8 | wide[1],
                                picture.samples[y * picture.stride + i] * 257, step)
                        << bits << "-bit sample " << i << " of row " << y;
                }
            }
        }
    }
    const Bitmap cmyk = Pattern(13, 7, ColorSpace::kCmyk);
    for (unsigned bits : {12u, 16u}) {
        Image image = DecodeOrFail(samples::MakeDeepTiff(cmyk, bits));
        EXPECT_EQ(image.GetBitmap().bitsPerComponent, 8);
        EXPECT_LE(samples::MaxDifference(cmyk, image.GetBitmap()), 1) << bits;
        File file = samples::MakeDeepTiff(cmyk, bits);
        EXPECT_EQ(InspectOrFail(file).bitsPerComponent, 8);
    }
}

// A layout libtiff has no conversion for is unsupported, not damaged, and says what it is.
TEST(TiffReading, UnsupportedLayoutsAreNamed) {
    File tiff = samples::MakeTiffStructure({{256, 3, {2}},
                                            {257, 3, {2}},
                                            {258, 3, {4, 4, 4}},
                                            {259, 3, {1}},
                                            {262, 3, {2}},
                                            {273, 4, {8}},
                                            {277, 3, {3}},
                                            {278, 3, {2}},
                                            {279, 4, {6}}},
                                           File(6, 0x5A));
    Image image;
    EXPECT_FALSE(image.Decode(tiff.data(), tiff.size()) && !image.GetBitmap().samples.empty());
    EXPECT_EQ(image.GetLastError(), "unsupported TIFF: 4-bit samples, 3 per pixel, photometric 2");
}

TEST(TiffReading, JpegCompressionAndSeparatePlanes) {
    Bitmap picture = Pattern(48, 32, ColorSpace::kRgb);
    Image jpeg = DecodeOrFail(samples::MakeTiff(picture, {.compression = COMPRESSION_JPEG}));
    EXPECT_EQ(jpeg.GetBitmap().space, ColorSpace::kRgb);
    EXPECT_LT(samples::MeanDifference(picture, jpeg.GetBitmap()), 3.0);
    Image planes = DecodeOrFail(samples::MakeTiff(picture, {.separatePlanes = true}));
    ExpectSameBitmap(picture, planes.GetBitmap());
}

TEST(TiffReading, ResolutionUnits) {
    Bitmap picture = Pattern(4, 4, ColorSpace::kGray);
    Image inches =
        DecodeOrFail(samples::MakeTiff(picture, {.xResolution = 200, .yResolution = 100}));
    EXPECT_EQ(inches.GetXDPI(), 200u);
    EXPECT_EQ(inches.GetYDPI(), 100u);
    Image centimetres =
        DecodeOrFail(samples::MakeTiff(picture, {.xResolution = 118.11f, .resolutionUnit = 3}));
    EXPECT_EQ(centimetres.GetXDPI(), 300u);
    Image none = DecodeOrFail(samples::MakeTiff(picture, {.xResolution = 5, .resolutionUnit = 1}));
    EXPECT_EQ(none.GetXDPI(), 72u);
}

}  // namespace
