#include "pdfwriter/png_proof.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "sample_files.h"
#include "writer_test_support.h"

using namespace pdftest;
using namespace testsupport;

namespace {

using samples::BigEndianBytes;
using samples::PngChunk;

// rows grey rows of width bytes, each behind the filter byte given.
std::string Rows(uint32_t width, uint32_t rows, char filter = 0) {
    std::string raw;
    for (uint32_t y = 0; y < rows; ++y) {
        raw += filter;
        for (uint32_t x = 0; x < width; ++x)
            raw += char((x * 7 + y * 3) & 0xFF);
    }
    return raw;
}

std::string Deflated(const std::string& raw) {
    uLongf size = compressBound(raw.size());
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(raw.data()), raw.size(), 1);
    out.resize(size);
    return out;
}

// An 8-bit grey PNG of the given size whose image data is stream, cut into parts IDAT chunks.
std::string GreyPng(uint32_t width, uint32_t height, const std::string& stream, int parts = 1) {
    std::string png = "\x89PNG\r\n\x1a\n";
    png += PngChunk(
        "IHDR", BigEndianBytes(width) + BigEndianBytes(height) + std::string("\x08\0\0\0\0", 5));
    const size_t step = stream.size() / parts + 1;
    for (size_t at = 0; at < stream.size(); at += step)
        png += PngChunk("IDAT", stream.substr(at, step));
    return png + PngChunk("IEND", "");
}

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

bool Proves(const std::string& png) {
    return pdf::ProvenPng::Prove(Bytes(png)).has_value();
}

TEST(PngProof, AcceptsWholeDataAndRefusesEveryKindOfDamage) {
    const std::string good = Deflated(Rows(40, 30));
    EXPECT_TRUE(Proves(GreyPng(40, 30, good)));
    EXPECT_TRUE(Proves(GreyPng(40, 30, good, 3))) << "data split over several IDAT chunks";

    EXPECT_FALSE(Proves(GreyPng(40, 30, good.substr(0, good.size() - 9)))) << "cut short";
    EXPECT_FALSE(Proves(GreyPng(40, 30, Deflated(Rows(40, 29))))) << "a row missing";
    EXPECT_FALSE(Proves(GreyPng(40, 30, Deflated(Rows(40, 31))))) << "a row too many";
    EXPECT_FALSE(Proves(GreyPng(40, 30, Deflated(Rows(40, 30, 5))))) << "unknown row filter";
    std::string badAdler = good;
    badAdler.back() ^= 0x01;
    EXPECT_FALSE(Proves(GreyPng(40, 30, badAdler))) << "wrong Adler-32";
    std::string badCrc = GreyPng(40, 30, good);
    badCrc[badCrc.find("IEND") - 1] ^= 0x01;  // the IDAT chunk's CRC, data intact
    EXPECT_FALSE(Proves(badCrc)) << "wrong chunk CRC";
    EXPECT_FALSE(Proves("this is no image"));
}

TEST(PngProof, ImagesAboveTheBufferLimitAreProvedThroughAWindow) {
    // Grey rows just over the limit once their filter bytes are counted.
    const uint32_t side = 8200;
    ASSERT_GT(uint64_t{side} * (side + 1), pdf::kProofBufferLimit);
    const std::string stream = Deflated(std::string(size_t{side} * (side + 1), '\0'));
    EXPECT_TRUE(Proves(GreyPng(side, side, stream, 4)));
    EXPECT_FALSE(Proves(GreyPng(side, side + 1, stream, 4))) << "a row missing";
    EXPECT_FALSE(Proves(GreyPng(side, side, stream.substr(0, stream.size() / 2))));
}

TEST(PngProof, ItsBytesAreKnownExactlyWhileItLives) {
    std::optional<pdf::ProvenPng> proven =
        pdf::ProvenPng::Prove(Bytes(GreyPng(40, 30, Deflated(Rows(40, 30)))));
    ASSERT_TRUE(proven);
    const std::span<const uint8_t> view = proven->bytes();
    EXPECT_TRUE(pdf::IsProvenPng(view));
    EXPECT_FALSE(pdf::IsProvenPng(view.first(view.size() - 1)));
    const std::vector<uint8_t> copy(view.begin(), view.end());
    EXPECT_FALSE(pdf::IsProvenPng(copy)) << "equal bytes elsewhere are not proven";

    pdf::ProvenPng moved = std::move(*proven);
    proven.reset();
    EXPECT_TRUE(pdf::IsProvenPng(view)) << "moving keeps the bytes and the proof";
    { pdf::ProvenPng gone = std::move(moved); }
    EXPECT_FALSE(pdf::IsProvenPng(view));
}

class ProvenPngWriterTest : public WriterTest {};

TEST_F(ProvenPngWriterTest, CopiesProvenBytesFromMemoryUnchanged) {
    const std::string stream = Deflated(Rows(40, 30));
    std::optional<pdf::ProvenPng> proven = pdf::ProvenPng::Prove(Bytes(GreyPng(40, 30, stream, 3)));
    ASSERT_TRUE(proven);
    Begin("proven.pdf");
    writer_.create_pvf(L"/pvf/image", proven->bytes().data(), proven->bytes().size(), L"");
    writer_.begin_page_ext(0, 0, L"");
    const int handle = writer_.load_image(L"auto", L"/pvf/image", L"");
    ASSERT_NE(handle, -1);
    writer_.fit_image(handle, 0, 0, L"adjustpage");
    writer_.close_image(handle);
    writer_.end_page_ext(L"");
    writer_.delete_pvf(L"/pvf/image");
    writer_.end_document(L"");
    const std::vector<ListedImage> images = ListImages(Path("proven.pdf"));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(RawStream(Path("proven.pdf"), images[0].objectId), stream);
}

}  // namespace
