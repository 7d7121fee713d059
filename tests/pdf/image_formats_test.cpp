// Formats the writer hands to the imaging library, and those it leaves to the caller.

#include <gtest/gtest.h>

#include "icc_samples.h"
#include "sample_files.h"
#include "writer_test_support.h"

using namespace pdftest;
using namespace testsupport;

namespace {

class ImageFormatsTest : public WriterTest {
protected:
    std::filesystem::path SaveSample(const std::string& name, const samples::File& file) {
        return Save(name, std::string(file.begin(), file.end()));
    }

    // Loads the file onto a page of its own size and returns the document's images.
    std::vector<ListedImage> Place(const std::filesystem::path& image) {
        Begin("out.pdf");
        writer_.begin_page_ext(0, 0, L"");
        writer_.fit_image(writer_.load_image(L"auto", Wide(image), L""), 0, 0, L"adjustpage");
        writer_.end_page_ext(L"");
        writer_.end_document(L"");
        EXPECT_EQ(QpdfCheck(Path("out.pdf")), 0);
        return ListImages(Path("out.pdf"));
    }
};

}  // namespace

TEST_F(ImageFormatsTest, GifTransparencyBecomesASoftMask) {
    const imaging::Bitmap picture = samples::Pattern(30, 20, imaging::ColorSpace::kIndexed);
    const std::vector<ListedImage> images =
        Place(SaveSample("a.gif", samples::MakeGif(picture, {.transparentIndex = 0})));
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].color, "index");
    EXPECT_EQ(images[0].encoding, "image");
    EXPECT_EQ(images[1].type, "smask");
}

TEST_F(ImageFormatsTest, CmykAndSixteenBitTiffsKeepTheirSamples) {
    const imaging::Bitmap cmyk = samples::Pattern(30, 20, imaging::ColorSpace::kCmyk);
    std::vector<ListedImage> images = Place(SaveSample("cmyk.tif", samples::MakeTiff(cmyk)));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].color, "cmyk");

    const imaging::Bitmap gray = samples::Pattern(30, 20, imaging::ColorSpace::kGray, 16);
    images = Place(SaveSample("gray.tif", samples::MakeTiff(gray, {.compression = 5})));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].color, "gray");
    EXPECT_EQ(images[0].bitsPerComponent, 16);
}

TEST_F(ImageFormatsTest, MngRawAndJbigAreLeftToTheCaller) {
    const imaging::Bitmap rgb = samples::Pattern(64, 48, imaging::ColorSpace::kRgb);
    const imaging::Bitmap bilevel = samples::Pattern(16, 16, imaging::ColorSpace::kGray, 1);
    const std::filesystem::path files[] = {
        SaveSample("a.mng", samples::MakeMng({rgb})),
        SaveSample("a.dng", samples::MakeDng(rgb)),
        SaveSample("a.jbg", samples::MakeJbig(bilevel)),
    };
    writer_.set_parameter(L"errorpolicy", L"return");
    Begin("none.pdf");
    for (const std::filesystem::path& file : files) {
        EXPECT_EQ(writer_.load_image(L"auto", Wide(file), L""), -1) << file;
        EXPECT_NE(writer_.get_errmsg().find(L"converted"), std::wstring::npos) << file;
    }
}

// Embedded profiles become ICCBased colour spaces whether the data is kept (JPEG) or decoded
// (PNG); a malformed profile is never embedded.
TEST_F(ImageFormatsTest, ColourProfilesBecomeIccBasedSpaces) {
    const samples::File rgbProfile = iccsamples::RgbProfile();
    const samples::File rgbJpeg =
        samples::MakeJpeg(samples::Pattern(30, 20, imaging::ColorSpace::kRgb));
    std::vector<ListedImage> images =
        Place(SaveSample("a.jpg", iccsamples::WithJpegProfile(rgbJpeg, rgbProfile, 200)));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].encoding, "jpeg");
    EXPECT_EQ(images[0].color, "icc");
    EXPECT_EQ(images[0].components, 3);

    const samples::File grayPng =
        samples::MakePng(samples::Pattern(30, 20, imaging::ColorSpace::kGray));
    images =
        Place(SaveSample("a.png", iccsamples::WithPngProfile(grayPng, iccsamples::GrayProfile())));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].color, "icc");
    EXPECT_EQ(images[0].components, 1);

    samples::File broken = rgbProfile;
    broken[3] ^= 0x04;  // the size in the header no longer matches
    images = Place(SaveSample("b.jpg", iccsamples::WithJpegProfile(rgbJpeg, broken, 200)));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].color, "rgb");
    // A grey image cannot take an RGB profile.
    images = Place(SaveSample("c.png", iccsamples::WithPngProfile(grayPng, rgbProfile)));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].color, "gray");
}
