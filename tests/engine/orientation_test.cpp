// Photos stand on the page as viewers show them: a kept JPEG is turned by the page's matrix, a
// re-encoded image by its pixels, a TIFF likewise; without auto-rotation the stored pixels are
// placed as they are. Pages are rendered and their corners compared.

#include <tiffio.h>

#include "run_fixture.h"
#include "sample_files.h"
#include "temp_dir.h"

using testsupport::ColorNear;
using testsupport::PageSizes;
using testsupport::RenderPage;

namespace {

constexpr uint32_t kWidth = 80;  // the stored picture: wider than high
constexpr uint32_t kHeight = 40;

struct Corners {
    uint32_t topLeft, topRight, bottomLeft, bottomRight;
};

constexpr Corners kStored{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};

// The stored corner each corner of the shown picture comes from, orientation by orientation.
Corners Shown(int orientation) {
    const auto [tl, tr, bl, br] = kStored;
    switch (orientation) {
        case 2:
            return {tr, tl, br, bl};
        case 3:
            return {br, bl, tr, tl};
        case 4:
            return {bl, br, tl, tr};
        case 5:
            return {tl, bl, tr, br};
        case 6:
            return {bl, tl, br, tr};
        case 7:
            return {br, tr, bl, tl};
        case 8:
            return {tr, br, tl, bl};
        default:
            return kStored;
    }
}

// Four flat quadrants in the stored corners' colours.
imaging::Bitmap Quadrants() {
    imaging::Bitmap picture{kWidth, kHeight, imaging::ColorSpace::kRgb, 8, kWidth * 3, {}, {}, {}};
    for (uint32_t y = 0; y < kHeight; ++y) {
        for (uint32_t x = 0; x < kWidth; ++x) {
            const bool right = x >= kWidth / 2;
            const bool bottom = y >= kHeight / 2;
            const uint32_t color = bottom ? (right ? kStored.bottomRight : kStored.bottomLeft)
                                          : (right ? kStored.topRight : kStored.topLeft);
            for (int shift : {16, 8, 0}) {
                picture.samples.push_back(static_cast<uint8_t>(color >> shift));
            }
        }
    }
    return picture;
}

// An EXIF block in big-endian byte order holding only the orientation.
samples::File BigEndianExif(uint16_t orientation) {
    return {'M',  'M',  0, 42, 0, 0, 0, 8,  // header, first directory at 8
            0,    1,                        // one entry
            0x01, 0x12, 0, 3,  0, 0, 0, 1, uint8_t(orientation >> 8), uint8_t(orientation),
            0,    0,    0, 0,  0, 0};  // no next directory
}

// Odd orientations in little-endian EXIF, even ones in big-endian: both byte orders are read.
samples::File OrientedJpeg(uint16_t orientation) {
    const samples::File exif = orientation % 2
                                   ? samples::MakeTiffStructure({{0x0112, 3, {orientation}}})
                                   : BigEndianExif(orientation);
    return samples::MakeJpeg(Quadrants(), {.exif = exif, .quality = 95});
}

void WriteBytes(const std::filesystem::path& path, const samples::File& bytes) {
    testsupport::WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

void WriteOrientedTiff(const std::filesystem::path& path, uint16_t orientation) {
    const imaging::Bitmap picture = Quadrants();
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, kWidth);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, kHeight);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, orientation);
    for (uint32_t y = 0; y < kHeight; ++y) {
        TIFFWriteScanline(tiff, const_cast<uint8_t*>(&picture.samples[y * picture.stride]), y, 0);
    }
    TIFFClose(tiff);
}

class OrientationTest : public RunFixture {
protected:
    // Adds the JPEG and the TIFF of every orientation, in that order.
    void AddEveryOrientation() {
        for (uint16_t orientation = 1; orientation <= 8; ++orientation) {
            const std::string name = "o" + std::to_string(orientation);
            WriteBytes(dir_ / (name + ".jpg"), OrientedJpeg(orientation));
            Add(Path(name + ".jpg"));
            WriteOrientedTiff(dir_ / (name + ".tif"), orientation);
            Add(Path(name + ".tif"));
        }
    }

    // Each page holds its picture alone, as the orientation shows it (or as stored).
    void ExpectEveryPageShown(bool turned) {
        const std::filesystem::path pdf = dir_ / "out.pdf";
        const std::vector<testsupport::PageSize> sizes = PageSizes(pdf);
        ASSERT_EQ(sizes.size(), 16u);
        for (int page = 1; page <= 16; ++page) {
            const int orientation = turned ? (page + 1) / 2 : 1;
            const bool swapped = orientation >= 5;
            SCOPED_TRACE("page " + std::to_string(page));
            EXPECT_DOUBLE_EQ(sizes[page - 1].width, swapped ? kHeight : kWidth);
            EXPECT_DOUBLE_EQ(sizes[page - 1].height, swapped ? kWidth : kHeight);
            ExpectCorners(RenderPage(pdf, page, 72), Shown(orientation));
        }
    }

    static void ExpectCorners(const testsupport::Rendering& page, const Corners& expected) {
        const int left = page.width / 4, right = page.width * 3 / 4;
        const int top = page.height / 4, bottom = page.height * 3 / 4;
        EXPECT_TRUE(ColorNear(page.At(left, top), expected.topLeft, 40));
        EXPECT_TRUE(ColorNear(page.At(right, top), expected.topRight, 40));
        EXPECT_TRUE(ColorNear(page.At(left, bottom), expected.bottomLeft, 40));
        EXPECT_TRUE(ColorNear(page.At(right, bottom), expected.bottomRight, 40));
    }
};

}  // namespace

TEST_F(OrientationTest, KeptImagesAreTurnedOnThePage) {
    AddEveryOrientation();
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    EXPECT_TRUE(skipped_.empty());
    // The data stays as stored: the JPEGs are copied, not turned and re-encoded.
    for (const testsupport::ListedImage& image : testsupport::ListImages(dir_ / "out.pdf")) {
        EXPECT_EQ(image.width, int(kWidth));
        EXPECT_EQ(image.height, int(kHeight));
    }
    EXPECT_EQ(testsupport::ListImages(dir_ / "out.pdf").at(2).encoding, "jpeg");
    ExpectEveryPageShown(true);
}

TEST_F(OrientationTest, ReencodedImagesHaveTheirPixelsTurned) {
    settings_.ImageEncode = engine::kEncodePng;
    AddEveryOrientation();
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    ExpectEveryPageShown(true);
}

TEST_F(OrientationTest, WithoutAutoRotationTheStoredPixelsArePlaced) {
    settings_.autoRotate = false;
    AddEveryOrientation();
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    ExpectEveryPageShown(false);
    settings_.ImageEncode = engine::kEncodeJpeg;
    job_.SetOutputFile(Path("encoded.pdf"));
    ASSERT_EQ(Run(), engine::RESULT_OK);
    for (int page : {6, 12}) {
        ExpectCorners(RenderPage(dir_ / "encoded.pdf", page, 72), kStored);
    }
}

// Size limits and the fit into the paper apply to the picture as shown.
TEST_F(OrientationTest, LimitsAndPaperFollowTheShownPicture) {
    WriteBytes(dir_ / "o6.jpg", OrientedJpeg(6));
    Add(Path("o6.jpg"));
    settings_.PageSize = 4;  // A4, 595 x 842
    settings_.MearginLeft = settings_.MearginTop = 36;
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    // 40 x 80 points shown, at the upper left corner inside the margins.
    const testsupport::Rendering page = RenderPage(dir_ / "out.pdf", 1, 72);
    EXPECT_TRUE(ColorNear(page.At(36 + 10, 36 + 20), Shown(6).topLeft, 40));
    EXPECT_TRUE(ColorNear(page.At(36 + 30, 36 + 60), Shown(6).bottomRight, 40));
    EXPECT_TRUE(ColorNear(page.At(36 + 60, 36 + 20), 0xFFFFFF, 8));

    settings_.PageSize = 0;
    settings_.MearginLeft = settings_.MearginTop = 0;
    settings_.ImageMaxY = 20;
    job_.SetOutputFile(Path("limited.pdf"));
    ASSERT_EQ(Run(), engine::RESULT_OK);
    const testsupport::PageSize limited = PageSizes(dir_ / "limited.pdf").at(0);
    EXPECT_DOUBLE_EQ(limited.width, 10);
    EXPECT_DOUBLE_EQ(limited.height, 20);
}

// The watermark image follows the same rule as the page's image.
TEST_F(OrientationTest, WatermarkImageStandsAsShownUnlessAutoRotationIsOff) {
    WriteBytes(dir_ / "o1.jpg", OrientedJpeg(1));
    WriteBytes(dir_ / "mark.jpg", OrientedJpeg(6));
    Add(Path("o1.jpg"));
    settings_.PageSize = 4;  // A4, 595 x 842
    settings_.WaterImage = Path("mark.jpg");
    settings_.WaterImageX = settings_.WaterImageY = 200;
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    // Shown 40 x 80 points with its lower left corner at (200, 200).
    const testsupport::Rendering turned = RenderPage(dir_ / "out.pdf", 1, 72);
    EXPECT_TRUE(ColorNear(turned.At(200 + 10, 842 - 200 - 60), Shown(6).topLeft, 40));
    EXPECT_TRUE(ColorNear(turned.At(200 + 60, 842 - 200 - 20), 0xFFFFFF, 8));

    settings_.autoRotate = false;
    job_.SetOutputFile(Path("stored.pdf"));
    ASSERT_EQ(Run(), engine::RESULT_OK);
    const testsupport::Rendering stored = RenderPage(dir_ / "stored.pdf", 1, 72);
    EXPECT_TRUE(ColorNear(stored.At(200 + 20, 842 - 200 - 30), kStored.topLeft, 40));
    EXPECT_TRUE(ColorNear(stored.At(200 + 60, 842 - 200 - 10), kStored.bottomRight, 40));
}
