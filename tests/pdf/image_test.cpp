#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "sample_files.h"
#include "test_images.h"
#include "writer_test_support.h"

using namespace pdftest;
using namespace testsupport;

namespace {

// The largest difference between a rendering and the expected pixels, in any channel.
int LargestDifference(const Rendering& page, const Pixels& expected) {
    if (page.width != int(expected.width) || page.height != int(expected.height))
        return 256;
    int largest = 0;
    for (uint32_t y = 0; y < expected.height; ++y) {
        for (uint32_t x = 0; x < expected.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                const int want = expected.At(x, y, expected.channels == 1 ? 0 : c);
                largest = std::max(largest, std::abs(page.At(x, y)[c] - want));
            }
        }
    }
    return largest;
}

// The first IDAT chunk's data of a PNG file.
std::string FirstIdat(const std::string& png) {
    const size_t type = png.find("IDAT");
    const auto* length = reinterpret_cast<const uint8_t*>(png.data() + type - 4);
    const size_t size = size_t(length[0]) << 24 | length[1] << 16 | length[2] << 8 | length[3];
    return png.substr(type + 4, size);
}

// The PNG file with one bit of its first IDAT chunk's CRC flipped; the data stays intact.
std::string WithBadIdatCrc(std::string png) {
    const size_t type = png.find("IDAT");
    png[type + 4 + FirstIdat(png).size()] ^= 0x01;
    return png;
}

std::vector<uint8_t> Rows(const Pixels& pixels) {
    return pixels.samples;
}

// An 8-bit grey or RGB bitmap of the imaging library's test pictures.
Pixels AsPixels(const imaging::Bitmap& bitmap) {
    const int channels = bitmap.space == imaging::ColorSpace::kGray ? 1 : 3;
    return {bitmap.width, bitmap.height, channels, bitmap.samples};
}

class ImageTest : public WriterTest {
protected:
    // A document with one page made to the image's natural size by "adjustpage".
    std::filesystem::path PlaceAlone(const std::filesystem::path& image,
                                     const std::string& name = "image.pdf") {
        Begin(name);
        writer_.begin_page_ext(0, 0, L"");
        const int handle = writer_.load_image(L"auto", Wide(image), L"");
        writer_.fit_image(handle, 0, 0, L"adjustpage");
        writer_.close_image(handle);
        writer_.end_page_ext(L"");
        writer_.end_document(L"");
        EXPECT_EQ(QpdfCheck(Path(name)), 0);
        return Path(name);
    }

    // The single image of a one-image document.
    ListedImage OnlyImage(const std::filesystem::path& pdf) {
        const std::vector<ListedImage> images = ListImages(pdf);
        EXPECT_EQ(images.size(), 1u);
        return images.empty() ? ListedImage() : images[0];
    }
};

}  // namespace

TEST_F(ImageTest, JpegDataPassesThroughUnchanged) {
    struct Case {
        int channels;
        bool progressive;
        const char* color;
    };
    for (const Case& c : {Case{1, false, "gray"}, Case{3, false, "rgb"}, Case{3, true, "rgb"}}) {
        const Pixels pixels = TestPattern(64, 48, c.channels);
        const std::string jpeg = EncodeJpeg(pixels, {.quality = 95, .progressive = c.progressive});
        const std::filesystem::path pdf = PlaceAlone(Save("photo.jpg", jpeg));

        const ListedImage image = OnlyImage(pdf);
        EXPECT_EQ(image.encoding, "jpeg");
        EXPECT_EQ(image.color, c.color);
        RunTool("pdfimages -j " + Quoted(pdf) + " " + Quoted(Path("extracted")));
        EXPECT_EQ(testsupport::ReadFile(Path("extracted-000.jpg")), jpeg);
        EXPECT_LE(LargestDifference(RenderSharply(pdf, 1, 72), DecodeJpeg(jpeg)), 2);
    }
}

// The JPEG with an APP1 segment holding a whole thumbnail JPEG of its own right after its
// start marker, as cameras write them.
std::string WithThumbnail(const std::string& jpeg, const std::string& thumbnail) {
    const std::string payload = std::string("Exif\0\0", 6) + thumbnail;
    const size_t length = payload.size() + 2;
    const std::string segment =
        std::string("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF) + payload;
    return jpeg.substr(0, 2) + segment + jpeg.substr(2);
}

TEST_F(ImageTest, JpegWithDataAfterItsEndPassesThroughWithoutIt) {
    const std::string thumbnail = EncodeJpeg(TestPattern(8, 6, 3));
    for (const bool progressive : {false, true}) {
        const std::string jpeg = WithThumbnail(
            EncodeJpeg(TestPattern(40, 30, 3), {.progressive = progressive}), thumbnail);
        const std::string trailers[] = {std::string(9, '\0'), "a trailer that some cameras add",
                                        thumbnail + "and a video after the photo"};
        for (const std::string& trailer : trailers) {
            const std::filesystem::path pdf = PlaceAlone(Save("a.jpg", jpeg + trailer));
            EXPECT_EQ(OnlyImage(pdf).encoding, "jpeg");
            RunTool("pdfimages -j " + Quoted(pdf) + " " + Quoted(Path("kept")));
            EXPECT_EQ(testsupport::ReadFile(Path("kept-000.jpg")), jpeg) << trailer;
        }
    }
}

TEST_F(ImageTest, JpegLackingOnlyItsEndMarkerGetsIt) {
    const std::string jpeg = EncodeJpeg(TestPattern(40, 30, 3));
    const std::filesystem::path pdf = PlaceAlone(Save("a.jpg", jpeg.substr(0, jpeg.size() - 2)));
    EXPECT_EQ(OnlyImage(pdf).encoding, "jpeg");
    RunTool("pdfimages -j " + Quoted(pdf) + " " + Quoted(Path("kept")));
    EXPECT_EQ(testsupport::ReadFile(Path("kept-000.jpg")), jpeg);
}

// The progressive JPEG cut at the marker that follows its second scan's data: every scan left
// is whole, but later scans are missing.
std::string CutAfterSecondScan(const std::string& jpeg) {
    const size_t scan = jpeg.find("\xFF\xDA", jpeg.find("\xFF\xDA") + 2);
    size_t at = scan + 2 + (uint8_t(jpeg[scan + 2]) << 8 | uint8_t(jpeg[scan + 3]));
    while (!(jpeg[at] == '\xFF' && jpeg[at + 1] != 0 && (uint8_t(jpeg[at + 1]) & 0xF8) != 0xD0))
        ++at;
    return jpeg.substr(0, at);
}

TEST_F(ImageTest, ProgressiveJpegMissingLaterScansIsNotTakenForWhole) {
    const std::string jpeg = EncodeJpeg(TestPattern(40, 30, 3), {.progressive = true});
    const std::filesystem::path cut = Save("cut.jpg", CutAfterSecondScan(jpeg));
    Begin("cut.pdf");
    writer_.set_parameter(L"errorpolicy", L"return");
    EXPECT_EQ(writer_.load_image(L"auto", Wide(cut), L""), -1);
    EXPECT_NE(writer_.get_errmsg().find(L"truncated"), std::wstring::npos);
}

TEST_F(ImageTest, JpegsReadersMayNotDecodeAreDecodedFirst) {
    const std::string jpeg = EncodeJpeg(TestPattern(40, 30, 3));
    std::string extended = jpeg;  // the same data declared extended sequential
    extended[extended.find("\xFF\xC0")] = '\xFF', extended[extended.find("\xFF\xC0") + 1] = '\xC1';
    const std::filesystem::path pdf = PlaceAlone(Save("extended.jpg", extended));
    EXPECT_EQ(OnlyImage(pdf).encoding, "image");
    EXPECT_LE(LargestDifference(RenderSharply(pdf, 1, 72), DecodeJpeg(jpeg)), 2);

    std::string damaged = jpeg;  // one bit flipped in the length of the first table
    damaged[damaged.find("\xFF\xDB") + 3] ^= 0x08;
    Begin("damaged.pdf");
    writer_.set_parameter(L"errorpolicy", L"return");
    writer_.begin_page_ext(100, 100, L"");
    const int handle = writer_.load_image(L"auto", Wide(Save("damaged.jpg", damaged)), L"");
    if (handle >= 0) {
        writer_.fit_image(handle, 0, 0, L"");
    }
    writer_.end_page_ext(L"");
    writer_.end_document(L"");
    EXPECT_EQ(QpdfCheck(Path("damaged.pdf")), 0);
    for (const ListedImage& image : ListImages(Path("damaged.pdf"))) {
        EXPECT_NE(image.encoding, "jpeg");
    }
}

TEST_F(ImageTest, AdobeCmykJpegGetsAnInvertingDecodeArray) {
    Pixels ink{32, 16, 4, std::vector<uint8_t>(32 * 16 * 4, 0)};
    for (uint32_t y = 0; y < 16; ++y) {
        for (uint32_t x = 16; x < 32; ++x)
            ink.samples[(y * 32 + x) * 4] = 255;  // cyan
    }
    const std::filesystem::path pdf = PlaceAlone(Save("cmyk.jpg", EncodeJpeg(ink)));
    EXPECT_EQ(OnlyImage(pdf).color, "cmyk");
    EXPECT_EQ(OnlyImage(pdf).encoding, "jpeg");
    const Rendering page = RenderSharply(pdf, 1, 72);
    const uint8_t* paper = page.At(4, 8);
    const uint8_t* cyan = page.At(28, 8);
    EXPECT_GT(std::min({paper[0], paper[1], paper[2]}), 235);
    EXPECT_LT(cyan[0], 80);
    EXPECT_GT(cyan[1], 140);
    EXPECT_GT(cyan[2], 200);
}

TEST_F(ImageTest, NaturalSizeFollowsTheRecordedResolution) {
    const Pixels pixels = TestPattern(288, 144, 3);
    const std::filesystem::path jpeg = Save("dpi ü 日本.jpg", EncodeJpeg(pixels, {.dpi = 144}));
    Begin("dpi.pdf");
    writer_.begin_page_ext(0, 0, L"");
    const int handle = writer_.load_image(L"auto", Wide(jpeg), L"");
    EXPECT_DOUBLE_EQ(writer_.get_value(L"imagewidth", handle), 144);
    EXPECT_DOUBLE_EQ(writer_.get_value(L"imageheight", handle), 72);
    writer_.fit_image(handle, 10, 20, L"adjustpage");
    EXPECT_DOUBLE_EQ(writer_.get_value(L"pagewidth", 0), 164);
    EXPECT_DOUBLE_EQ(writer_.get_value(L"pageheight", 0), 112);
    writer_.close_image(handle);
    EXPECT_EQ(ErrorOf([&] { writer_.get_value(L"imagewidth", handle); }).number(),
              pdf::kErrorHandle);
    writer_.end_page_ext(L"");
    writer_.end_document(L"");
    ASSERT_EQ(PageSizes(Path("dpi.pdf")).size(), 1u);
    EXPECT_EQ(PageSizes(Path("dpi.pdf"))[0].width, 164);
    EXPECT_EQ(PageSizes(Path("dpi.pdf"))[0].height, 112);
}

TEST_F(ImageTest, SuitablePngDataPassesThroughUnchanged) {
    const Pixels rgb = TestPattern(40, 30, 3);
    const Pixels gray = TestPattern(40, 30, 1);
    // A 2-bit palette image with one fully transparent entry (index 3).
    Pixels palette{40, 30, 3, {}};
    std::vector<uint8_t> indexes;
    const std::vector<uint8_t> colors = {255, 0, 0, 0, 128, 0, 0, 0, 255, 9, 9, 9};
    for (uint32_t y = 0; y < 30; ++y) {
        for (uint32_t x = 0; x < 40; x += 4) {
            uint8_t packed = 0;
            for (uint32_t i = 0; i < 4; ++i) {
                const uint8_t index = ((x + i) / 5 + y / 6) % 4;
                packed |= index << (6 - 2 * i);
                const uint8_t* color = index == 3 ? nullptr : &colors[index * 3];
                for (int c = 0; c < 3; ++c)
                    palette.samples.push_back(color ? color[c] : 255);
            }
            indexes.push_back(packed);
        }
    }
    struct Case {
        std::string png;
        const Pixels* expected;
        const char* color;
        int bits;
    };
    const Case cases[] = {
        {EncodePng(40, 30, Rows(rgb), {.colorType = 2}), &rgb, "rgb", 8},
        {EncodePng(40, 30, Rows(gray), {.colorType = 0}), &gray, "gray", 8},
        {EncodePng(
             40, 30, indexes,
             {.colorType = 3, .depth = 2, .palette = colors, .transparency = {255, 255, 255, 0}}),
         &palette, "index", 2},
    };
    for (const Case& c : cases) {
        const std::filesystem::path pdf = PlaceAlone(Save("plain.png", c.png));
        const ListedImage image = OnlyImage(pdf);
        EXPECT_EQ(image.encoding, "image");
        EXPECT_EQ(image.color, c.color);
        EXPECT_EQ(image.bitsPerComponent, c.bits);
        EXPECT_EQ(RawStream(pdf, image.objectId), FirstIdat(c.png));
        EXPECT_EQ(LargestDifference(RenderSharply(pdf, 1, 72), *c.expected), 0) << c.color;
    }
}

TEST_F(ImageTest, OtherPngsAreDecodedLosslessly) {
    const Pixels rgb = TestPattern(40, 30, 3);
    std::vector<uint8_t> deep;  // 16-bit samples: the high byte is the pattern
    for (const uint8_t sample : rgb.samples)
        deep.insert(deep.end(), {sample, 0x5A});
    const std::string interlaced = EncodePng(40, 30, Rows(rgb), {.interlaced = true});
    const std::string sixteen = EncodePng(40, 30, deep, {.depth = 16});

    const std::filesystem::path a = PlaceAlone(Save("interlaced.png", interlaced), "a.pdf");
    EXPECT_NE(RawStream(a, OnlyImage(a).objectId), FirstIdat(interlaced));
    EXPECT_EQ(LargestDifference(RenderSharply(a, 1, 72), rgb), 0);

    const std::filesystem::path b = PlaceAlone(Save("deep.png", sixteen), "b.pdf");
    EXPECT_EQ(OnlyImage(b).bitsPerComponent, 16);
    EXPECT_LE(LargestDifference(RenderSharply(b, 1, 72), rgb), 1);
}

TEST_F(ImageTest, BmpFilesAreDecodedLosslessly) {
    const imaging::Bitmap rgb = samples::Pattern(30, 20, imaging::ColorSpace::kRgb);
    const imaging::Bitmap indexed = samples::Pattern(30, 20, imaging::ColorSpace::kIndexed);
    const samples::File rgbFile = samples::MakeBmp(rgb);
    const samples::File indexedFile = samples::MakeBmp(indexed);

    const std::filesystem::path a =
        PlaceAlone(Save("rgb.bmp", std::string(rgbFile.begin(), rgbFile.end())), "a.pdf");
    EXPECT_EQ(OnlyImage(a).color, "rgb");
    EXPECT_EQ(LargestDifference(RenderSharply(a, 1, 72), AsPixels(rgb)), 0);
    const std::filesystem::path b =
        PlaceAlone(Save("8.bmp", std::string(indexedFile.begin(), indexedFile.end())), "b.pdf");
    EXPECT_EQ(OnlyImage(b).color, "index");
    EXPECT_EQ(LargestDifference(RenderSharply(b, 1, 72), AsPixels(samples::ToRgb(indexed))), 0);
}

TEST_F(ImageTest, AlphaBecomesASoftMask) {
    Pixels rgba = TestPattern(40, 30, 4);
    Pixels blended{40, 30, 3, {}};
    for (size_t i = 0; i < rgba.samples.size(); i += 4) {
        rgba.samples[i + 3] = static_cast<uint8_t>((i / 4) % 40 * 6);
        for (int c = 0; c < 3; ++c) {
            const int alpha = rgba.samples[i + 3];
            blended.samples.push_back(static_cast<uint8_t>(
                (rgba.samples[i + c] * alpha + 255 * (255 - alpha) + 127) / 255));
        }
    }
    const std::filesystem::path pdf =
        PlaceAlone(Save("alpha.png", EncodePng(40, 30, Rows(rgba), {.colorType = 6})));
    const std::vector<ListedImage> images = ListImages(pdf);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].type, "image");
    EXPECT_EQ(images[1].type, "smask");
    EXPECT_LE(LargestDifference(RenderSharply(pdf, 1, 72), blended), 2);
}

TEST_F(ImageTest, BilevelTiffKeepsItsFaxCoding) {
    const uint32_t width = 61;
    const uint32_t height = 40;
    const size_t stride = (width + 7) / 8;
    std::vector<uint8_t> ink(stride * height, 0);
    Pixels expected{width, height, 1, std::vector<uint8_t>(width * height, 255)};
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            if ((x * x + 3 * y) % 7 >= 3 && !(x > 20 && x < 30))
                continue;
            ink[y * stride + x / 8] |= 0x80 >> (x % 8);
            expected.samples[y * width + x] = 0;
        }
    }
    struct Case {
        FaxOptions options;
        const char* encoding;
    };
    const Case cases[] = {
        {{.compression = 4}, "ccitt"},
        {{.compression = 4, .photometric = 1}, "ccitt"},
        {{.compression = 4, .fillOrder = 2}, "ccitt"},
        {{.compression = 3}, "ccitt"},
        {{.compression = 3, .group3Options = 5}, "ccitt"},  // two-dimensional, fill bits
        {{.compression = 4, .rowsPerStrip = 7}, "image"},   // several strips: decoded
    };
    for (const Case& c : cases) {
        WriteFaxTiff(Path("fax.tif"), width, height, ink, c.options);
        const std::filesystem::path pdf = PlaceAlone(Path("fax.tif"));
        EXPECT_EQ(OnlyImage(pdf).encoding, c.encoding);
        EXPECT_EQ(LargestDifference(RenderSharply(pdf, 1, 72), expected), 0)
            << c.options.compression << " " << c.options.group3Options;
    }
}

TEST_F(ImageTest, VirtualFilesAreReadInPlaceAndReleasedAfterLoading) {
    std::string jpeg = EncodeJpeg(TestPattern(32, 32, 3));
    const std::string original = jpeg;
    Begin("virtual.pdf");
    writer_.create_pvf(L"/pvf/image", jpeg.data(), jpeg.size(), L"");
    const int handle = writer_.load_image(L"auto", L"/pvf/image", L"");
    EXPECT_EQ(writer_.delete_pvf(L"/pvf/image"), 1);
    std::fill(jpeg.begin(), jpeg.end(), '\0');  // the caller frees its block
    writer_.begin_page_ext(0, 0, L"");
    writer_.fit_image(handle, 0, 0, L"adjustpage");
    writer_.end_page_ext(L"");
    writer_.end_document(L"");
    ASSERT_EQ(QpdfCheck(Path("virtual.pdf")), 0);
    RunTool("pdfimages -j " + Quoted(Path("virtual.pdf")) + " " + Quoted(Path("x")));
    EXPECT_EQ(testsupport::ReadFile(Path("x-000.jpg")), original);
}

TEST_F(ImageTest, BoxFittingOpacityAndReuseOnSeveralPages) {
    const Pixels black{20, 10, 1, std::vector<uint8_t>(200, 0)};
    const std::filesystem::path png =
        Save("black.png", EncodePng(20, 10, Rows(black), {.colorType = 0}));
    Begin("fit.pdf");
    const int handle = writer_.load_image(L"auto", Wide(png), L"");
    for (int page = 0; page < 2; ++page) {
        writer_.begin_page_ext(0, 0, L"height=a4.height width=a4.width");
        writer_.fit_image(handle, 36, 706, L"boxsize={200 100} fitmethod=entire");
        writer_.set_gstate(writer_.create_gstate(L"opacityfill=0.500000"));
        writer_.fit_image(handle, 300, 100, L"");
        writer_.end_page_ext(L"");
    }
    EXPECT_EQ(ErrorOf([&] { writer_.fit_image(handle, 0, 0, L"fitmethod=entire"); }).number(),
              pdf::kErrorScope);
    writer_.begin_page_ext(100, 100, L"");
    EXPECT_EQ(ErrorOf([&] { writer_.fit_image(handle, 0, 0, L"fitmethod=entire"); }).number(),
              pdf::kErrorOption);
    EXPECT_EQ(ErrorOf([&] { writer_.fit_image(handle, 0, 0, L"fitmethod=meet"); }).number(),
              pdf::kErrorOption);
    writer_.end_page_ext(L"");
    writer_.end_document(L"");
    ASSERT_EQ(QpdfCheck(Path("fit.pdf")), 0);

    const std::vector<ListedImage> images = ListImages(Path("fit.pdf"));
    ASSERT_EQ(images.size(), 4u);
    EXPECT_EQ(images[0].objectId, images[3].objectId);  // written once, shown four times
    const Rendering page = RenderPage(Path("fit.pdf"), 2, 72);
    EXPECT_EQ(page.At(37, 842 - 707)[0], 0);  // inside the box (origin at the top)
    EXPECT_EQ(page.At(234, 842 - 805)[0], 0);
    EXPECT_EQ(page.At(237, 842 - 760)[0], 255);       // just right of it
    EXPECT_NEAR(page.At(310, 842 - 105)[0], 128, 2);  // half-transparent black
}

TEST_F(ImageTest, UnusableFilesFailByPolicy) {
    const std::string png = EncodePng(40, 30, Rows(TestPattern(40, 30, 3)), {});
    const std::string jpeg = EncodeJpeg(TestPattern(40, 30, 3));
    const std::filesystem::path files[] = {
        Save("cut.jpg", jpeg.substr(0, jpeg.size() - 100)),
        Save("empty.png", ""),
        Save("text.png", "this is no image"),
        Save("cut.png", png.substr(0, png.size() / 2)),
        Save("badcrc.png", WithBadIdatCrc(png)),
        Save("animation.mng", std::string("\x8aMNG\r\n\x1a\n", 8) + std::string(40, '\0')),
        Path("missing.png"),
        folder_.path(),
    };
    Begin("bad.pdf");
    for (const std::filesystem::path& file : files) {
        EXPECT_EQ(ErrorOf([&] { writer_.load_image(L"auto", Wide(file), L""); }).number(),
                  pdf::kErrorImage)
            << file;
    }
    writer_.set_parameter(L"errorpolicy", L"return");
    for (const std::filesystem::path& file : files) {
        EXPECT_EQ(writer_.load_image(L"auto", Wide(file), L""), -1) << file;
    }
    const std::filesystem::path good = Save("good.png", png);
    EXPECT_EQ(writer_.load_image(L"jpeg", Wide(good), L""), -1);
    EXPECT_EQ(ErrorOf([&] { writer_.load_image(L"pdf", Wide(good), L""); }).number(),
              pdf::kErrorParameter);
    EXPECT_EQ(writer_.load_image(L"png", Wide(good), L""), 0);
}
