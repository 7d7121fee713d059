// Hostile and damaged files fail quickly with a reason; nothing crashes or allocates wildly.

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

#include "imaging/image.h"
#include "sample_files.h"
#include "temp_dir.h"

namespace {

using imaging::Bitmap;
using imaging::ColorSpace;
using imaging::Image;
using samples::File;
using samples::Pattern;

std::string DecodeFailure(const File& file) {
    Image image;
    bool decoded = image.Decode(file.data(), file.size()) && !image.GetBitmap().samples.empty();
    EXPECT_FALSE(decoded);
    EXPECT_FALSE(image.IsValid());
    std::string error;
    EXPECT_FALSE(imaging::Inspect(file.data(), file.size(), &error) && decoded);
    return image.GetLastError();
}

// One sample of every format the readers handle.
std::vector<std::pair<std::string, File>> EverySample() {
    Bitmap rgb = Pattern(24, 16, ColorSpace::kRgb);
    Bitmap indexed = Pattern(24, 16, ColorSpace::kIndexed, 8);
    return {
        {"jpeg", samples::MakeJpeg(rgb)},
        {"progressive jpeg", samples::MakeJpeg(rgb, {.progressive = true})},
        {"png", samples::MakePng(rgb)},
        {"interlaced png", samples::MakePng(indexed, {.interlaced = true})},
        {"gif", samples::MakeGif(indexed)},
        {"bmp", samples::MakeBmp(rgb)},
        {"rle bmp", samples::MakeBmp(indexed, {.rle = true})},
        {"tiff", samples::MakeTiff(rgb, {.compression = 5})},
        {"mng", samples::MakeMng({rgb})},
        {"jbig", samples::MakeJbig(Pattern(24, 16, ColorSpace::kGray, 1))},
        {"dng", samples::MakeDng(rgb)},
    };
}

TEST(BadInput, EmptyTextAndRandomBytes) {
    EXPECT_EQ(DecodeFailure({}), "empty file");
    EXPECT_EQ(DecodeFailure(samples::BytesOf("Dear reader,\nthis is not a picture.\n")),
              "unknown image format");
    std::mt19937 random(7);
    for (size_t size : {1, 2, 3, 8, 100, 4096, 100000}) {
        File noise(size);
        for (uint8_t& byte : noise) {
            byte = static_cast<uint8_t>(random());
        }
        EXPECT_FALSE(DecodeFailure(noise).empty()) << size;
    }
    Image image;
    EXPECT_FALSE(image.Decode(nullptr, 10));
}

TEST(BadInput, RandomBytesUnderEveryAcceptedExtension) {
    testsupport::TempDir dir;
    std::mt19937 random(11);
    std::string noise(5000, '\0');
    for (char& byte : noise) {
        byte = static_cast<char>(random());
    }
    for (const char* extension :
         {"tif", "tiff", "gif", "bmp", "dib", "png", "mng", "raw", "jbig", "jpg", "jpeg", "jpe"}) {
        std::filesystem::path path = dir / (std::string("noise.") + extension);
        testsupport::WriteFile(path, noise);
        Image image;
        EXPECT_FALSE(image.Load(path.wstring())) << extension;
        EXPECT_EQ(image.GetLastError(), "unknown image format") << extension;
    }
}

TEST(BadInput, TruncatedFilesOfEveryFormatFail) {
    for (const auto& [name, file] : EverySample()) {
        for (size_t cut = 1; cut < file.size(); cut += 1 + cut / 16) {
            File truncated(file.begin(), file.begin() + cut);
            EXPECT_FALSE(DecodeFailure(truncated).empty()) << name << " cut at " << cut;
        }
    }
}

TEST(BadInput, ReasonsNameTheTruncation) {
    File jpeg = samples::MakeJpeg(Pattern(24, 16, ColorSpace::kRgb));
    EXPECT_EQ(DecodeFailure(File(jpeg.begin(), jpeg.end() - 20)), "truncated JPEG data");
    File png = samples::MakePng(Pattern(24, 16, ColorSpace::kRgb));
    EXPECT_EQ(DecodeFailure(File(png.begin(), png.end() - 20)), "truncated PNG data");
    File gif = samples::MakeGif(Pattern(24, 16, ColorSpace::kIndexed, 8));
    EXPECT_EQ(DecodeFailure(File(gif.begin(), gif.end() - 20)), "truncated GIF data");
    File bmp = samples::MakeBmp(Pattern(24, 16, ColorSpace::kRgb));
    EXPECT_EQ(DecodeFailure(File(bmp.begin(), bmp.end() - 20)), "truncated BMP data");
}

void PutBigEndian(File& file, size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        file[at + i] = static_cast<uint8_t>(value >> (8 * (bytes - 1 - i)));
    }
}

TEST(BadInput, HugeDeclaredSizesFailBeforeAllocating) {
    File png = samples::MakePng(Pattern(8, 8, ColorSpace::kRgb));
    PutBigEndian(png, 16, 60000, 4);
    PutBigEndian(png, 20, 60000, 4);
    PutBigEndian(png, 29, static_cast<uint32_t>(crc32(0, &png[12], 17)), 4);
    EXPECT_EQ(DecodeFailure(png), "image too large: 60000 x 60000");
    PutBigEndian(png, 16, 12000, 4);  // allowed, but far more pixels than the file can hold
    PutBigEndian(png, 20, 12000, 4);
    PutBigEndian(png, 29, static_cast<uint32_t>(crc32(0, &png[12], 17)), 4);
    EXPECT_EQ(DecodeFailure(png), "truncated PNG data");
    File jpeg = samples::MakeJpeg(Pattern(8, 8, ColorSpace::kRgb));
    for (size_t i = 2; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {  // frame header: height, then width
            PutBigEndian(jpeg, i + 5, 65000, 2);
            PutBigEndian(jpeg, i + 7, 65000, 2);
        }
    }
    EXPECT_EQ(DecodeFailure(jpeg), "image too large: 65000 x 65000");
}

TEST(BadInput, GifWithZeroHeightOrAFrameOffItsScreen) {
    Bitmap picture = Pattern(8, 8, ColorSpace::kIndexed, 8);
    File flat = samples::MakeGif(picture);
    flat[8] = flat[9] = 0;  // logical screen height
    EXPECT_EQ(DecodeFailure(flat), "invalid image size: 8 x 0");
    File outside = samples::MakeGif(picture, {.screenWidth = 8, .screenHeight = 8, .left = 4});
    EXPECT_EQ(DecodeFailure(outside), "GIF frame lies outside its screen");
}

TEST(BadInput, TiffWithADamagedDirectory) {
    File tiff = samples::MakeTiff(Pattern(8, 8, ColorSpace::kRgb));
    uint32_t directory = tiff[4] | tiff[5] << 8 | tiff[6] << 16 | uint32_t{tiff[7]} << 24;
    File wild = tiff;
    wild[directory] = wild[directory + 1] = 0xFF;  // 65535 entries, far past the end
    EXPECT_FALSE(DecodeFailure(wild).empty());
    File pointless = tiff;
    pointless[4] = pointless[5] = pointless[6] = 0x7F;  // directory offset past the end
    EXPECT_FALSE(DecodeFailure(pointless).empty());
    File bare = samples::MakeTiffStructure(
        {{256, 4, {1u << 20}}, {257, 4, {1u << 20}}, {258, 3, {8}}, {273, 4, {8}}, {279, 4, {1}}});
    EXPECT_EQ(DecodeFailure(bare), "image too large: 1048576 x 1048576");
}

TEST(BadInput, PixelLimitIsSettable) {
    File png = samples::MakePng(Pattern(100, 50, ColorSpace::kRgb));
    Image::SetMaxPixels(4999);
    EXPECT_EQ(DecodeFailure(png), "image too large: 100 x 50");
    Image::SetMaxPixels(5000);
    Image image;
    EXPECT_TRUE(image.Decode(png.data(), png.size()));
    Image::SetMaxPixels(178956970);
}

}  // namespace
