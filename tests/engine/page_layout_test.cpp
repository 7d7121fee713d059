// Pages as they come out: paper sizes, margins, fitting, watermarks and re-encoding.

#include "followed_page.h"
#include "icc_samples.h"
#include "run_fixture.h"
#include "sample_files.h"

using testsupport::ColorNear;
using testsupport::ListImages;
using testsupport::PageSizes;
using testsupport::RenderPage;

namespace {

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kWhite = 0xFFFFFF;

class PageLayoutTest : public RunFixture {
protected:
    testsupport::PageSize OnlyPageSize() { return PageSizes(dir_ / "out.pdf").at(0); }
    engine::ConversionSettings& Settings() { return settings_; }
};

}  // namespace

TEST_F(PageLayoutTest, LargeImageShrinksIntoTheUpperPartOfA4) {
    Add(Image("wide.png", "-size 1190x842 xc:red -density 72 -units PixelsPerInch"));
    Settings().PageSize = 4;
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    EXPECT_DOUBLE_EQ(OnlyPageSize().width, 595);
    EXPECT_DOUBLE_EQ(OnlyPageSize().height, 842);
    const auto page = RenderPage(dir_ / "out.pdf", 1, 72);
    EXPECT_TRUE(ColorNear(page.At(300, 200), kRed, 8));    // upper half: the image
    EXPECT_TRUE(ColorNear(page.At(300, 640), kWhite, 8));  // lower half: empty paper
}

TEST_F(PageLayoutTest, MarginsPutTheImageAtTheUpperLeftCorner) {
    Add(Image("small.png", "-size 200x100 xc:red -density 72 -units PixelsPerInch"));
    Settings().PageSize = 4;
    Settings().MearginLeft = Settings().MearginTop = 36;
    Settings().MearginRight = 100;  // stored only: no effect
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    const auto page = RenderPage(dir_ / "out.pdf", 1, 72);
    EXPECT_TRUE(ColorNear(page.At(34, 80), kWhite, 8));
    EXPECT_TRUE(ColorNear(page.At(38, 38), kRed, 8));
    EXPECT_TRUE(ColorNear(page.At(234, 134), kRed, 8));
    EXPECT_TRUE(ColorNear(page.At(238, 80), kWhite, 8));
    EXPECT_TRUE(ColorNear(page.At(100, 138), kWhite, 8));
}

TEST_F(PageLayoutTest, ShrinkingKeepsTheMarginOnBothSidesOfNamedPaper) {
    Add(Image("wide.png", "-size 1190x100 xc:red -density 72 -units PixelsPerInch"));
    Add(Image("tall.png", "-size 100x1684 xc:red -density 72 -units PixelsPerInch"));
    Settings().PageSize = static_cast<int32_t>(engine::PageFormat::kA4);
    Settings().MearginLeft = Settings().MearginTop = 36;
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    const auto wide = RenderPage(dir_ / "out.pdf", 1, 72);  // 523 points wide: 595 - 2 x 36
    EXPECT_TRUE(ColorNear(wide.At(40, 38), kRed, 8));
    EXPECT_TRUE(ColorNear(wide.At(555, 38), kRed, 8));
    EXPECT_TRUE(ColorNear(wide.At(565, 38), kWhite, 8));
    const auto tall = RenderPage(dir_ / "out.pdf", 2, 72);  // 770 points high: 842 - 2 x 36
    EXPECT_TRUE(ColorNear(tall.At(38, 800), kRed, 8));
    EXPECT_TRUE(ColorNear(tall.At(38, 812), kWhite, 8));
}

TEST_F(PageLayoutTest, MarginsLeavingNoRoomAreAnErrorForThePageNotAnEnlargement) {
    const auto image = Image("small.png", "-size 200x100 xc:red -density 72 -units PixelsPerInch");
    Add(image);
    Settings().PageSize = static_cast<int32_t>(engine::PageFormat::kA4);
    Settings().MearginLeft = 300;  // 595 - 2 x 300 < 0
    EXPECT_EQ(RunSingle(), engine::RESULT_PDF_ERROR);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out.pdf"));
    ASSERT_EQ(skipped_.size(), 1u);
    EXPECT_EQ(skipped_[0].first, image);
    EXPECT_NE(skipped_[0].second.find(L"leave no room"), std::wstring::npos);

    Settings().RotatePage = 1;  // 842 - 2 x 300 leaves room across landscape A4
    ASSERT_EQ(RunSingle("landscape.pdf"), engine::RESULT_OK);
    const auto page = RenderPage(dir_ / "landscape.pdf", 1, 72);
    EXPECT_TRUE(ColorNear(page.At(305, 5), kRed, 8));
    EXPECT_TRUE(ColorNear(page.At(539, 5), kWhite, 8));  // its own 200 points, not enlarged
}

TEST_F(PageLayoutTest, AVeryThinImageKeepsItsPage) {
    Add(Image("thin.png", "-size 2000x2 xc:red -density 72 -units PixelsPerInch"));
    Settings().PageSize = static_cast<int32_t>(engine::PageFormat::kA4);
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    EXPECT_EQ(testsupport::PageCount(dir_ / "out.pdf"), 1);
    EXPECT_EQ(ListImages(dir_ / "out.pdf").size(), 1u);
    EXPECT_TRUE(skipped_.empty());
}

TEST_F(PageLayoutTest, ResolutionSizesTheImageButNotNamedPaper) {
    Add(Image("a.png", "-size 300x150 xc:red -density 72 -units PixelsPerInch"));
    Settings().PageSize = static_cast<int32_t>(engine::PageFormat::kA4);
    Settings().DPI = 300;
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    EXPECT_DOUBLE_EQ(OnlyPageSize().width, 595);
    EXPECT_DOUBLE_EQ(OnlyPageSize().height, 842);
    const auto page = RenderPage(dir_ / "out.pdf", 1, 72);  // 72 x 36 points at the upper left
    EXPECT_TRUE(ColorNear(page.At(68, 32), kRed, 8));
    EXPECT_TRUE(ColorNear(page.At(76, 20), kWhite, 8));
    EXPECT_TRUE(ColorNear(page.At(20, 40), kWhite, 8));
}

TEST_F(PageLayoutTest, LandscapeAndPageFollowingTheImage) {
    Add(Image("a.png", "-size 300x200 xc:red -density 72 -units PixelsPerInch"));
    Settings().PageSize = 4;
    Settings().RotatePage = 1;
    ASSERT_EQ(RunSingle("landscape.pdf"), engine::RESULT_OK);
    EXPECT_DOUBLE_EQ(PageSizes(dir_ / "landscape.pdf").at(0).width, 842);
    EXPECT_DOUBLE_EQ(PageSizes(dir_ / "landscape.pdf").at(0).height, 595);

    Settings().PageSize = 0;
    Settings().MearginLeft = 10;
    Settings().MearginTop = 20;
    ASSERT_EQ(RunSingle("follows.pdf"), engine::RESULT_OK);
    EXPECT_DOUBLE_EQ(PageSizes(dir_ / "follows.pdf").at(0).width, 320);
    EXPECT_DOUBLE_EQ(PageSizes(dir_ / "follows.pdf").at(0).height, 240);
}

TEST_F(PageLayoutTest, WatermarkTextFieldsAndBookmarks) {
    Add(Image("pics/holiday.jpg", "-size 400x100 xc:white"));
    Add(Image("pics/x.jpg", "-size 400x100 xc:white"));
    Add(Image("pics/holiday.v2.jpg", "-size 400x100 xc:white"));
    Settings().WaterText = L"%FileName% - %Number% %filename%";
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    const std::string text = testsupport::ExtractText(dir_ / "out.pdf");
    EXPECT_NE(text.find("holiday - 1 %filename%"), std::string::npos) << text;
    EXPECT_NE(text.find("holiday.v2 - 3"), std::string::npos) << text;
    const auto outline =
        testsupport::RunTool("qpdf --json " + testsupport::Quoted(dir_ / "out.pdf")).output;
    EXPECT_NE(outline.find("\"title\": \"holiday.v2\""), std::string::npos);
}

TEST_F(PageLayoutTest, WatermarkOpacityAppliesToImageAndText) {
    Add(Image("page.png", "-size 200x200 xc:white -density 72 -units PixelsPerInch"));
    Settings().WaterImage = Image("mark.png", "-size 50x50 xc:blue");
    Settings().WaterImageOpacity = 50;
    Settings().WaterImageX = 10;
    Settings().WaterImageY = 10;
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    const auto page = RenderPage(dir_ / "out.pdf", 1, 72);
    EXPECT_TRUE(ColorNear(page.At(30, 165), 0x8080FF, 12));  // blue at half strength on white
    EXPECT_TRUE(ColorNear(page.At(100, 100), kWhite, 4));
}

TEST_F(PageLayoutTest, UnusableWatermarkSettingsNeverCostThePage) {
    Add(Image("a.png", "-size 200x200 xc:red -density 72 -units PixelsPerInch"));
    Add(Image("b.png", "-size 200x200 xc:red -density 72 -units PixelsPerInch"));
    Settings().WaterImage = Image("mark.png", "-size 50x50 xc:blue");
    Settings().WaterImageOpacity = 150;  // stored out of range
    Settings().WaterText = L"text";
    Settings().WaterFontSize = 0x100;  // low byte 0
    ASSERT_EQ(RunSingle("first.pdf"), engine::RESULT_OK);
    EXPECT_EQ(testsupport::PageCount(dir_ / "first.pdf"), 2);
    EXPECT_TRUE(skipped_.empty());
    const auto page = RenderPage(dir_ / "first.pdf", 1, 72);
    EXPECT_TRUE(ColorNear(page.At(20, 180), 0x0000FF, 8));  // fully opaque watermark

    Settings().WaterImage = Path("no-such-mark.png");
    ASSERT_EQ(RunSingle("second.pdf"), engine::RESULT_OK);
    EXPECT_EQ(testsupport::PageCount(dir_ / "second.pdf"), 2);
    ASSERT_EQ(skipped_.size(), 1u);  // said once for the document, not once per page
    EXPECT_EQ(skipped_[0].first, Path("no-such-mark.png"));
    EXPECT_NE(skipped_[0].second.find(L"watermark image cannot be loaded"), std::wstring::npos);
}

TEST_F(PageLayoutTest, KeepModeEmbedsJpegUnchanged) {
    const auto jpeg = Image("photo.jpg", "-size 64x48 gradient:red-blue");
    Add(jpeg);
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    testsupport::RunTool("pdfimages -j " + testsupport::Quoted(dir_ / "out.pdf") + " " +
                         testsupport::Quoted(dir_ / "x"));
    EXPECT_EQ(testsupport::ReadFile(dir_ / "x-000.jpg"),
              testsupport::ReadFile(platform::ToUtf8(jpeg)));
}

TEST_F(PageLayoutTest, SizeLimitsShrinkAndKeepTheAspectRatio) {
    Add(Image("wide.png", "-size 400x300 xc:red"));
    Add(Image("tall.png", "-size 300x400 xc:red"));
    Add(Image("small.png", "-size 80x60 xc:red"));
    Settings().ImageMaxX = 100;
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    const auto images = ListImages(dir_ / "out.pdf");
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].width, 100);
    EXPECT_EQ(images[0].height, 75);
    EXPECT_EQ(images[1].width, 100);
    EXPECT_EQ(images[1].height, 133);
    EXPECT_EQ(images[2].width, 80);
}

TEST_F(PageLayoutTest, ALimitedSideEndsExactlyAtItsLimit) {
    Add(Image("photo.png", "-size 1070x500 xc:red"));  // 1070 / (1070 / 1000.0) is 999.99...
    Settings().ImageMaxX = 1000;
    ASSERT_EQ(RunSingle("limited.pdf"), engine::RESULT_OK);
    EXPECT_EQ(ListImages(dir_ / "limited.pdf").at(0).width, 1000);
    EXPECT_EQ(ListImages(dir_ / "limited.pdf").at(0).height, 467);
}

TEST_F(PageLayoutTest, ResolutionControlsThePrintedSize) {
    Add(Image("a.png", "-size 300x150 xc:red -density 72 -units PixelsPerInch"));
    Add(Image("b.bmp", "-size 300x150 xc:red"));
    Settings().DPI = 300;
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    EXPECT_DOUBLE_EQ(PageSizes(dir_ / "out.pdf").at(0).width, 72);
    EXPECT_DOUBLE_EQ(PageSizes(dir_ / "out.pdf").at(0).height, 36);
    const auto images = ListImages(dir_ / "out.pdf");
    ASSERT_EQ(images.size(), 2u);
    EXPECT_NE(images[0].encoding, "jpeg");  // a PNG stays lossless
    EXPECT_EQ(images[1].encoding, "jpeg");  // a BMP becomes a JPEG
}

TEST_F(PageLayoutTest, JpegModeTurnsPaletteImagesGrey) {
    Add(Image("palette.gif", "-size 60x40 gradient:red-blue -colors 16"));
    Add(Image("colour.png", "-size 60x40 gradient:red-blue"));
    Settings().ImageEncode = engine::kEncodeJpeg;
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    const auto images = ListImages(dir_ / "out.pdf");
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].encoding, "jpeg");
    EXPECT_EQ(images[0].color, "gray");
    EXPECT_EQ(images[1].color, "rgb");

    Settings().ImageMaxX = 30;  // shrinking gives the palette image full colour
    ASSERT_EQ(RunSingle("shrunk.pdf"), engine::RESULT_OK);
    const auto shrunk = ListImages(dir_ / "shrunk.pdf");
    ASSERT_EQ(shrunk.size(), 2u);
    EXPECT_EQ(shrunk[0].width, 30);
    EXPECT_EQ(shrunk[0].color, "gray");
    EXPECT_EQ(shrunk[1].color, "rgb");
}

TEST_F(PageLayoutTest, UnembeddableFormatFallsBackToDefaultEncoding) {
    Add(Image("anim.mng", "-size 40x30 xc:red"));
    Settings().DefaultImageEncode = engine::kEncodePng;
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    const auto images = ListImages(dir_ / "out.pdf");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_NE(images[0].encoding, "jpeg");
}

TEST_F(PageLayoutTest, NonAsciiFileNamesWork) {
    Add(Image("Фото 照片.png", "-size 40x30 xc:red"));
    ASSERT_EQ(RunSingle("結果.pdf"), engine::RESULT_OK);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "結果.pdf"));  // checked by qpdf at teardown
}

// No page that follows its image is larger than a PDF page may be (the image is scaled into
// it) or smaller than the smallest one (the image keeps its size on it).
TEST_F(PageLayoutTest, AFollowingPageStaysWithinThePdfPageSizes) {
    Add(Image("wide.png", "-size 2000x100 xc:red -density 5 -units PixelsPerInch"));  // 28800 pt
    Add(Image("dot.png", "-size 1x1 xc:red -density 72 -units PixelsPerInch"));
    ASSERT_EQ(RunSingle(), engine::RESULT_OK);
    const auto sizes = PageSizes(dir_ / "out.pdf");
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_DOUBLE_EQ(sizes[0].width, 14400);
    EXPECT_DOUBLE_EQ(sizes[0].height, 720);
    EXPECT_DOUBLE_EQ(sizes[1].width, 3);
    EXPECT_DOUBLE_EQ(sizes[1].height, 3);
    const std::string bytes = testsupport::ReadFile(dir_ / "out.pdf");
    EXPECT_EQ(bytes.find("/UserUnit"), std::string::npos) << "a page beyond the limit was written";
    const auto page = RenderPage(dir_ / "out.pdf", 1, 1);  // the whole width is the image
    EXPECT_TRUE(ColorNear(page.At(2, 5), kRed, 8));
    EXPECT_TRUE(ColorNear(page.At(197, 5), kRed, 8));
}

TEST(FollowedPageTest, ScalesIntoTheLargestPageAndGrowsToTheSmallest) {
    using engine::PageFollowingImage;
    const auto natural = PageFollowingImage(300, 200, 10, 20);
    EXPECT_TRUE(natural.natural);
    EXPECT_DOUBLE_EQ(natural.width, 320);
    EXPECT_DOUBLE_EQ(natural.height, 240);

    const auto tall = PageFollowingImage(100, 30000, 50, 200);  // room for 14000 points of it
    EXPECT_FALSE(tall.natural);
    EXPECT_DOUBLE_EQ(tall.imageHeight, 14000);
    EXPECT_DOUBLE_EQ(tall.imageWidth, 100 * 14000.0 / 30000);
    EXPECT_DOUBLE_EQ(tall.height, 14400);

    const auto dot = PageFollowingImage(1, 2, 0, 0);
    EXPECT_FALSE(dot.natural);
    EXPECT_DOUBLE_EQ(dot.imageWidth, 1);
    EXPECT_DOUBLE_EQ(dot.width, 3);
    EXPECT_DOUBLE_EQ(dot.height, 3);

    const auto noRoom = PageFollowingImage(50, 50, 8000, 0);  // margins wider than any page
    EXPECT_DOUBLE_EQ(noRoom.imageWidth, 1);
    EXPECT_DOUBLE_EQ(noRoom.width, 14400);
}

// A re-encoded photo keeps its colour profile; greying drops it, since it no longer describes
// the pixels.
TEST_F(PageLayoutTest, ReencodingKeepsTheColourProfileUnlessGreyed) {
    const samples::File photo = iccsamples::WithJpegProfile(
        samples::MakeJpeg(samples::Pattern(60, 40, imaging::ColorSpace::kRgb)),
        iccsamples::RgbProfile(), 200);
    testsupport::WriteFile(dir_ / "photo.jpg", std::string(photo.begin(), photo.end()));
    Add(Path("photo.jpg"));
    for (const int32_t mode : {engine::kEncodeJpeg, engine::kEncodePng, engine::kEncodeTiff}) {
        Settings().ImageEncode = mode;
        ASSERT_EQ(RunSingle(), engine::RESULT_OK);
        const auto images = ListImages(dir_ / "out.pdf");
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].color, "icc") << mode;
        EXPECT_EQ(images[0].components, 3) << mode;
    }
    Settings().ImageEncode = engine::kEncodeGrayJpeg;
    ASSERT_EQ(RunSingle("grey.pdf"), engine::RESULT_OK);
    EXPECT_EQ(ListImages(dir_ / "grey.pdf").at(0).color, "gray");
}
