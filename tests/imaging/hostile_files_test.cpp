// Files that try to stall the reader or make it allocate far more than they hold.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <zlib.h>

#include <chrono>
#include <filesystem>

#include "imaging/image.h"
#include "platform/text.h"
#include "sample_files.h"
#include "temp_dir.h"

namespace {

using imaging::ColorSpace;
using imaging::Image;
using samples::File;
using samples::Pattern;

// The peak resident size of this process so far, in MiB.
long PeakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

std::string LoadFailure(const std::filesystem::path& path) {
    Image image;
    EXPECT_FALSE(image.Load(platform::PathFromNative(path.string()))) << path;
    return image.GetLastError();
}

std::string DecodeFailure(const File& file) {
    Image image;
    EXPECT_FALSE(image.Decode(file.data(), file.size()));
    return image.GetLastError();
}

void PutBigEndian(File& file, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        file[at + i] = static_cast<uint8_t>(value >> (8 * (3 - i)));
    }
}

void PutLittleEndian(File& file, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        file[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

TEST(HostileFiles, FifosAndDevicesAreRefusedWithoutReading) {
    testsupport::TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "x.jpg").c_str(), 0644), 0);  // would block an open for reading
    std::filesystem::create_symlink("/dev/zero", dir / "zero.tif");
    std::filesystem::create_symlink("/dev/urandom", dir / "noise.png");
    for (const char* name : {"x.jpg", "zero.tif", "noise.png"}) {
        EXPECT_EQ(LoadFailure(dir / name), "not a regular file") << name;
    }
    EXPECT_EQ(LoadFailure(dir / "missing.png"), "cannot read the file: No such file or directory");
}

TEST(HostileFiles, UnknownContentIsRefusedFromItsFirstBytes) {
    testsupport::TempDir dir;
    const auto zeros = dir / "zeros.tif";
    testsupport::WriteFile(zeros, "");
    std::filesystem::resize_file(zeros, 1200ull << 20);  // sparse: no disk space taken
    const long before = PeakMiB();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(LoadFailure(zeros), "unknown image format");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_LT(PeakMiB() - before, 100);
    testsupport::WriteFile(dir / "empty.png", "");
    EXPECT_EQ(LoadFailure(dir / "empty.png"), "empty file");
}

TEST(HostileFiles, NamesThatAreNotUtf8Load) {
    testsupport::TempDir dir;
    File png = samples::MakePng(Pattern(6, 4, ColorSpace::kRgb));
    const std::string name = "caf\xE9 \xFF.png";
    testsupport::WriteFile(dir / name, std::string(png.begin(), png.end()));
    Image image;
    ASSERT_TRUE(image.Load(platform::PathFromNative((dir / name).string())))
        << image.GetLastError();
    EXPECT_EQ(image.GetWidth(), 6u);
}

// 54 bytes: a file header and an info header for 13370 x 13370 24-bit pixels, and no pixels.
TEST(HostileFiles, BmpHeaderClaimingMorePixelsThanTheFileHolds) {
    File bmp = samples::MakeBmp(Pattern(4, 4, ColorSpace::kRgb));
    bmp.resize(54);
    PutLittleEndian(bmp, 18, 13370);
    PutLittleEndian(bmp, 22, 13370);
    const long before = PeakMiB();
    EXPECT_EQ(DecodeFailure(bmp), "truncated BMP data");
    EXPECT_LT(PeakMiB() - before, 100);

    File rle = samples::MakeBmp(Pattern(16, 16, ColorSpace::kIndexed, 8), {.rle = true});
    PutLittleEndian(rle, 22, 1000000);  // more rows than its delta codes could reach
    EXPECT_EQ(DecodeFailure(rle), "truncated BMP data");
}

// A chunk of 1 GiB declared after IHDR, with the file ending a few bytes later.
TEST(HostileFiles, PngChunkClaimingMoreBytesThanTheFileHolds) {
    for (const char* type : {"tEXt", "zTXt", "iCCP", "prVt"}) {
        File png = samples::MakePng(Pattern(8, 8, ColorSpace::kRgb));
        File chunk(12 + 16, 'x');
        PutBigEndian(chunk, 0, 1u << 30);
        std::copy_n(type, 4, chunk.begin() + 4);
        png.insert(png.begin() + 33, chunk.begin(), chunk.end());
        const long before = PeakMiB();
        EXPECT_EQ(DecodeFailure(png), "truncated PNG data") << type;
        std::string error;
        EXPECT_FALSE(imaging::Inspect(png.data(), png.size(), &error)) << type;
        EXPECT_EQ(error, "truncated PNG data") << type;
        EXPECT_LT(PeakMiB() - before, 100) << type;
    }
}

// Embedding a PNG's compressed data unchanged needs every chunk checked, as no decoder sees it.
TEST(HostileFiles, PngChunkCrcsAreCheckedForPassThrough) {
    const File png = samples::MakePng(Pattern(8, 8, ColorSpace::kRgb));
    std::string error;
    EXPECT_TRUE(imaging::CheckPngChunks(png.data(), png.size(), &error)) << error;

    File badData = png;
    badData[png.size() - 12 - 5] ^= 1;  // the last byte of IDAT's data
    EXPECT_FALSE(imaging::CheckPngChunks(badData.data(), badData.size(), &error));
    EXPECT_EQ(error, "damaged PNG: bad CRC in chunk IDAT");

    File badHeader = png;
    badHeader[29] ^= 0xFF;  // IHDR's CRC
    EXPECT_FALSE(imaging::CheckPngChunks(badHeader.data(), badHeader.size(), &error));
    EXPECT_EQ(error, "damaged PNG: bad CRC in chunk IHDR");

    const File noEnd(png.begin(), png.end() - 12);
    EXPECT_FALSE(imaging::CheckPngChunks(noEnd.data(), noEnd.size(), &error));
    EXPECT_EQ(error, "truncated PNG data");
    EXPECT_FALSE(imaging::CheckPngChunks(nullptr, 0, &error));
    EXPECT_EQ(error, "not a PNG file");
}

// Densities outside 1-100000 dpi are damage; they read as 72 dpi.
TEST(HostileFiles, AbsurdDensitiesReadAsNone) {
    const auto dpiOf = [](int32_t pixelsPerMetre) {
        File bmp =
            samples::MakeBmp(Pattern(4, 4, ColorSpace::kRgb), {.pixelsPerMetre = pixelsPerMetre});
        return imaging::Inspect(bmp.data(), bmp.size())->xdpi;
    };
    EXPECT_EQ(dpiOf(INT32_MAX), 72u);  // 54 million dpi
    EXPECT_EQ(dpiOf(3937008), 100000u);
    EXPECT_EQ(dpiOf(3937100), 72u);
    EXPECT_EQ(dpiOf(40), 1u);   // 1.016 dpi
    EXPECT_EQ(dpiOf(15), 72u);  // 0.38 dpi
    EXPECT_EQ(dpiOf(11811), 300u);

    File png = samples::MakePng(Pattern(4, 4, ColorSpace::kRgb), {.pixelsPerMetre = 0xFFFFFFFF});
    EXPECT_EQ(imaging::Inspect(png.data(), png.size())->xdpi, 72u);
}

}  // namespace
