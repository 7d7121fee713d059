#include "image_cost.h"

#include <gtest/gtest.h>

#include "pdfwriter/png_proof.h"
#include "platform/text.h"
#include "sample_files.h"
#include "sample_images.h"
#include "temp_dir.h"

namespace {

using samples::BigEndianBytes;
using samples::PngChunk;

// A 16-bit RGB PNG header followed by one IDAT chunk of size bytes (not a valid stream: only
// the header is read for the cost).
std::string DeepPngWithOneLargeChunk(uint32_t width, uint32_t height, size_t size) {
    return "\x89PNG\r\n\x1a\n" +
           PngChunk("IHDR", BigEndianBytes(width) + BigEndianBytes(height) +
                                std::string("\x10\x02\0\0\0", 5)) +
           PngChunk("IDAT", std::string(size, 'x')) + PngChunk("IEND", "");
}

class ImageCostTest : public ::testing::Test {
protected:
    std::wstring Save(const std::string& name, const std::string& bytes) {
        testsupport::WriteFile(dir_ / name, bytes);
        return platform::FromUtf8((dir_ / name).string());
    }
    testsupport::TempDir dir_;
};

TEST_F(ImageCostTest, DecodedSizeComesFromTheHeaderWhereverTheDataLies) {
    // The first IDAT chunk runs far past the part of the file the header is read from.
    const std::string png = DeepPngWithOneLargeChunk(13000, 13000, 3 << 20);
    const std::wstring path = Save("deep.png", png);
    EXPECT_EQ(engine::DecodedSizeOf(path), png.size() + 13000ull * 13000 * 3 * 2);

    const auto jpeg = dir_ / "grey.jpg";
    ASSERT_TRUE(testsupport::MakeImage(jpeg, "-size 300x200 xc:gray -colorspace Gray"));
    const std::wstring jpegPath = platform::FromUtf8(jpeg.string());
    EXPECT_EQ(engine::DecodedSizeOf(jpegPath), std::filesystem::file_size(jpeg) + 300 * 200)
        << "one byte per grey pixel";

    EXPECT_EQ(engine::DecodedSizeOf(Save("words.png", "no image here")), 13u) << "its size";
    EXPECT_EQ(engine::DecodedSizeOf(platform::FromUtf8((dir_ / "missing.png").string())), 0u);
}

TEST_F(ImageCostTest, OnlyPngsCostAProofAndItsBufferIsBounded) {
    const std::string png = DeepPngWithOneLargeChunk(13000, 13000, 3 << 20);
    EXPECT_EQ(engine::PngProofCost(Save("deep.png", png)), png.size() + pdf::kProofBufferLimit);
    const auto jpeg = dir_ / "a.jpg";
    ASSERT_TRUE(testsupport::MakeImage(jpeg, "-size 30x20 xc:red"));
    EXPECT_EQ(engine::PngProofCost(platform::FromUtf8(jpeg.string())), 0u);
}

}  // namespace
