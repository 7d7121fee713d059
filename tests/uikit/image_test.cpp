// The 32-bit image: decoding, premultiplying once, drawing with alpha, the program-relative
// paths and the toolkit's embedded glyphs.

#include <gtest/gtest.h>

#include <QBuffer>

#include "glyphs.h"
#include "image_loading.h"
#include "pixels.h"
#include "platform/text.h"
#include "temp_dir.h"
#include "trellis/drawing.h"
#include "trellis/resources.h"

namespace {

QByteArray EncodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage OnePixel(QRgb argb) {
    QImage image(1, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, argb);
    return image;
}

// The stored pixel value, premultiplied or not, as 0xAARRGGBB.
QRgb Stored(const CImage& image, int x = 0, int y = 0) {
    return image.GetImage().pixel(x, y);
}

TEST(PremultiplyTest, ChannelsAreScaledByAlphaRoundingDown) {
    CImage image;
    ASSERT_TRUE(image.Attach(OnePixel(qRgba(50, 100, 200, 128))));
    CImageTransparent(&image);
    EXPECT_EQ(Stored(image), qRgba(25, 50, 100, 128));
    EXPECT_TRUE(image.IsPremultiplied());

    CImage opaque;
    opaque.Attach(OnePixel(qRgba(50, 100, 200, 255)));
    CImageTransparent(&opaque);
    EXPECT_EQ(Stored(opaque), qRgba(50, 100, 200, 255));

    CImage clear;
    clear.Attach(OnePixel(qRgba(50, 100, 200, 0)));
    CImageTransparent(&clear);
    EXPECT_EQ(Stored(clear), 0u);
}

TEST(PremultiplyTest, HappensOnlyOnceAndNeverToImagesWithoutAlpha) {
    CImage image;
    image.Attach(OnePixel(qRgba(50, 100, 200, 128)));
    EXPECT_TRUE(image.Premultiply());
    EXPECT_FALSE(image.Premultiply());
    CImageTransparent(&image);
    EXPECT_EQ(Stored(image), qRgba(25, 50, 100, 128)) << "a second pass would darken it";

    QImage rgb(1, 1, QImage::Format_RGB32);
    rgb.setPixel(0, 0, qRgb(50, 100, 200));
    CImage solid;
    solid.Attach(rgb);
    EXPECT_FALSE(solid.HasAlphaChannel());
    EXPECT_FALSE(solid.Premultiply());
    EXPECT_EQ(Stored(solid), qRgb(50, 100, 200));
    CImage empty;
    EXPECT_FALSE(empty.Premultiply());
    CImageTransparent(nullptr);
}

TEST(CImageTest, DecodesFromMemoryAndFailsCleanlyOnBadBytes) {
    CImage image;
    ASSERT_TRUE(image.LoadFromMemory(EncodePng(OnePixel(qRgba(10, 20, 30, 40)))));
    EXPECT_EQ(image.GetBPP(), 32);
    EXPECT_TRUE(image.HasAlphaChannel());
    EXPECT_FALSE(image.IsPremultiplied()) << "decoding leaves straight alpha";
    EXPECT_EQ(Stored(image), qRgba(10, 20, 30, 40));

    QByteArray truncated = EncodePng(OnePixel(qRgba(10, 20, 30, 40)));
    truncated.truncate(truncated.size() / 2);
    EXPECT_FALSE(image.LoadFromMemory(truncated));
    EXPECT_TRUE(image.IsNull()) << "a failure leaves the image empty";
    EXPECT_EQ(image.GetBPP(), 0);
    EXPECT_FALSE(image.LoadFromMemory(QByteArray("not an image at all")));
    EXPECT_FALSE(image.LoadFromMemory(QByteArray()));
}

std::uint32_t Crc32(const char* data, size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= static_cast<std::uint8_t>(data[i]);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutBigEndian(QByteArray& bytes, qsizetype at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
    }
}

TEST(CImageTest, RefusesAHeaderThatClaimsAHugeImage) {
    // A well-formed PNG header claiming 100000 x 100000 pixels, followed by a tiny image.
    QByteArray png = EncodePng(OnePixel(qRgba(1, 2, 3, 4)));
    PutBigEndian(png, 16, 100000);
    PutBigEndian(png, 20, 100000);
    PutBigEndian(png, 29, Crc32(png.constData() + 12, 17));
    CImage image;
    EXPECT_FALSE(image.LoadFromMemory(png));
    EXPECT_TRUE(image.IsNull());
}

TEST(ImageLoadingTest, RelativePathsResolveAgainstTheProgramFolder) {
    const std::wstring& folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'/');
    EXPECT_EQ(folder.front(), L'/');
    EXPECT_EQ(ResolveProgramPath(L"res/image.png"), folder + L"res/image.png");
    EXPECT_EQ(ResolveProgramPath(L"/tmp/x.png"), L"/tmp/x.png");
    EXPECT_EQ(&ExecutableFolder(), &folder) << "read once";
}

TEST(ImageLoadingTest, LoadsAFileWithAnyNameAndPremultipliesIt) {
    testsupport::TempDir dir;
    const auto file = dir / "bild ä €.png";
    testsupport::WriteFile(file, EncodePng(OnePixel(qRgba(50, 100, 200, 128))).toStdString());
    CImage image;
    ASSERT_TRUE(LoadImageFile(image, platform::FromUtf8(file.string()).c_str()));
    EXPECT_EQ(Stored(image), qRgba(25, 50, 100, 128));

    EXPECT_FALSE(
        LoadImageFile(image, platform::FromUtf8((dir.path() / "missing.png").string()).c_str()));
    EXPECT_TRUE(image.IsNull());
    EXPECT_FALSE(LoadImageFile(image, platform::FromUtf8(dir.path().string()).c_str()))
        << "a folder";
    EXPECT_FALSE(LoadImageFile(image, nullptr));
}

TEST(ImageLoadingTest, ToolkitGlyphsAreEmbeddedAtTheirSizes) {
    const CImage& strip = GlyphStrip();
    ASSERT_FALSE(strip.IsNull());
    EXPECT_EQ(strip.GetWidth(), 66);
    EXPECT_EQ(strip.GetHeight(), 128);
    EXPECT_TRUE(strip.IsPremultiplied());
    EXPECT_EQ(&GlyphStrip(), &strip) << "loaded once";
    // The check-box glyphs have an opaque edge and a transparent surrounding.
    EXPECT_EQ(qAlpha(Stored(strip, kCheckClearGlyph.left + 1, kCheckClearGlyph.top + 8)), 255);
    EXPECT_EQ(qAlpha(Stored(strip, 0, 0)), 0);

    const CImage& arrow = DropDownArrow();
    EXPECT_EQ(arrow.GetWidth(), 10);
    EXPECT_EQ(arrow.GetHeight(), 7);
    EXPECT_GT(qAlpha(Stored(arrow, 5, 2)), 200) << "the arrow's middle is solid";
}

TEST(ImageLoadingTest, ResourcesAreLookedUpInTheNamedModule) {
    CImage image;
    EXPECT_TRUE(LoadImageResource(image, kToolkitResourceModule, 2001, L"PNG"));
    EXPECT_FALSE(LoadImageResource(image, kToolkitResourceModule, 1999, L"PNG"));
    EXPECT_TRUE(image.IsNull());
    EXPECT_FALSE(LoadImageResource(image, "elsewhere", 2001, L"PNG"));
    EXPECT_FALSE(LoadImageResource(image, kToolkitResourceModule, 2001, nullptr));

    EXPECT_EQ(GetResourceModule(), kToolkitResourceModule);
    {
        ScopedResourceModule application("folioforge");
        EXPECT_EQ(GetResourceModule(), "folioforge");
    }
    EXPECT_EQ(GetResourceModule(), kToolkitResourceModule);
}

TEST(CImageTest, DrawingBlendsPerPixelAlphaAndScales) {
    QImage pixels(2, 1, QImage::Format_ARGB32);
    pixels.setPixel(0, 0, qRgba(255, 0, 0, 255));
    pixels.setPixel(1, 0, qRgba(0, 0, 255, 128));
    CImage image;
    image.Attach(pixels);
    CImageTransparent(&image);
    QImage surface = Surface(8, 4, 0xFFFFFFFF);
    CDC dc(&surface);
    image.Draw(&dc, CRect(0, 0, 4, 2), CRect(0, 0, 2, 1));
    EXPECT_EQ(PixelAt(surface, 1, 1), 0xFFFF0000u);
    EXPECT_TRUE(Near(PixelAt(surface, 3, 0), 0xFF7F7FFF)) << std::hex << PixelAt(surface, 3, 0);
    EXPECT_EQ(PixelAt(surface, 4, 0), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(surface, 0, 2), 0xFFFFFFFFu);
}

}  // namespace
