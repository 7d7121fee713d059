// The drawing context and the toolkit's primitives: colour conversion, translucent fills and
// lines, shadowed text, compatible surfaces and block copies.

#include "trellis/drawing.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "gfx/color.h"
#include "pixels.h"
#include "printers.h"
#include "trellis/ui_object.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

TEST(ColorTest, ColorReferenceWithOpacityBecomesArgb) {
    EXPECT_EQ(ArgbFromColorRef(0x000000FF, 128), 0x80FF0000u);
    EXPECT_EQ(ArgbFromColorRef(0x00123456, 255), 0xFF563412u);
    EXPECT_EQ(ArgbFromColorRef(0xFF000000, 255), 0xFF000000u) << "the top byte is not colour";
    EXPECT_EQ(ArgbFromColorRef(0x0000FF00, 300), 0xFF00FF00u) << "opacity is clamped";
    EXPECT_EQ(ArgbFromColorRef(0x0000FF00, -5), 0x0000FF00u);
    EXPECT_EQ(PackedColorRef(0x96FFFFFF), 0x00FFFFFFu);
    EXPECT_EQ(PackedOpacity(0x96FFFFFF), 150);
}

TEST(FillRectAlphaTest, OpacityZeroLeavesTheSurfaceAndSolidReplacesIt) {
    QImage surface = Surface(10, 10, kWhite);
    CDC dc(&surface);
    const RECT all{0, 0, 10, 10};
    FillRectAlpha(&dc, &all, 0x0000FF, 0);
    EXPECT_EQ(PixelAt(surface, 5, 5), kWhite);
    FillRectAlpha(&dc, &all, 0x0000FF, 255);
    EXPECT_EQ(PixelAt(surface, 5, 5), 0xFFFF0000u);
}

TEST(FillRectAlphaTest, HalfOpaqueRedBlendsOverWhiteInsideTheRectangleOnly) {
    QImage surface = Surface(10, 10, kWhite);
    CDC dc(&surface);
    const RECT part{2, 3, 6, 8};
    FillRectAlpha(&dc, &part, 0x0000FF, 128);
    EXPECT_TRUE(Near(PixelAt(surface, 2, 3), 0xFFFF7F7F)) << std::hex << PixelAt(surface, 2, 3);
    EXPECT_TRUE(Near(PixelAt(surface, 5, 7), 0xFFFF7F7F));
    EXPECT_EQ(PixelAt(surface, 6, 7), kWhite) << "right edge is outside";
    EXPECT_EQ(PixelAt(surface, 5, 8), kWhite) << "bottom edge is outside";
    EXPECT_EQ(PixelAt(surface, 1, 3), kWhite);
}

TEST(DrawLineAlphaTest, IncludesBothEndPixels) {
    QImage surface = Surface(10, 10, kWhite);
    CDC dc(&surface);
    DrawLineAlpha(&dc, {2, 4}, {7, 4}, 0x000000, 255);
    for (int x = 2; x <= 7; ++x) {
        EXPECT_EQ(PixelAt(surface, x, 4), 0xFF000000u) << x;
    }
    EXPECT_EQ(PixelAt(surface, 1, 4), kWhite);
    EXPECT_EQ(PixelAt(surface, 8, 4), kWhite);
    EXPECT_EQ(PixelAt(surface, 4, 3), kWhite);
    EXPECT_EQ(PixelAt(surface, 4, 5), kWhite);
}

TEST(DrawLineAlphaTest, FrameRectDrawsTheFourEdges) {
    QImage surface = Surface(12, 12, kWhite);
    CDC dc(&surface);
    const RECT frame{2, 2, 9, 8};
    CUIObject::DrawAlphaFrameRect(&dc, &frame, 0x000000, 255);
    EXPECT_EQ(PixelAt(surface, 5, 2), 0xFF000000u);
    EXPECT_EQ(PixelAt(surface, 5, 8), 0xFF000000u);
    EXPECT_EQ(PixelAt(surface, 2, 5), 0xFF000000u);
    EXPECT_EQ(PixelAt(surface, 9, 5), 0xFF000000u);
    EXPECT_EQ(PixelAt(surface, 5, 5), kWhite);
    EXPECT_EQ(PixelAt(surface, 10, 5), kWhite);
}

// The horizontal extent of the pixels darker than the background in rows [top, bottom).
struct Ink {
    int left = -1;
    int right = -1;  // inclusive
    int top = -1;
    int bottom = -1;  // inclusive
};

Ink InkOf(const QImage& image, QRgb background) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (Near(PixelAt(image, x, y), background, 40)) {
                continue;
            }
            ink.left = ink.left < 0 ? x : std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = ink.top < 0 ? y : ink.top;
            ink.bottom = y;
        }
    }
    return ink;
}

TEST(DrawTextBkTest, CentredGlyphSitsInTheMiddleBothWays) {
    QImage surface = Surface(60, 40, kWhite);
    CDC dc(&surface);
    const RECT all{0, 0, 60, 40};
    DrawTextBk(&dc, L"H", &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0x000000, 0xFFFFFF);
    const Ink ink = InkOf(surface, kWhite);
    ASSERT_GE(ink.left, 0);
    EXPECT_NEAR((ink.left + ink.right + 1) / 2.0, 30.0, 1.5);
    // Capital letters sit above the baseline, so their middle lies a little above the line's.
    EXPECT_NEAR((ink.top + ink.bottom + 1) / 2.0, 20.0, 3.0);
}

TEST(DrawTextBkTest, RightWinsOverCentre) {
    QImage surface = Surface(100, 20, kWhite);
    CDC dc(&surface);
    const RECT all{0, 0, 100, 20};
    DrawTextBk(&dc, L"HH", &all, DT_CENTER | DT_RIGHT | DT_SINGLELINE, 0x000000, 0xFFFFFF);
    const Ink ink = InkOf(surface, kWhite);
    EXPECT_GE(ink.right, 96);
    EXPECT_GT(ink.left, 60);
}

TEST(DrawTextBkTest, ShadowInBackColourLiesOnePixelRightAndDown) {
    QFont font = QGuiApplication::font();
    font.setPixelSize(30);
    QImage surface = Surface(60, 40, kWhite);
    CDC dc(&surface);
    dc.SelectFont(font);
    const RECT all{0, 0, 60, 40};
    // A black text over white, with a blue shadow: the shadow shows only where the text
    // does not cover it, i.e. along the right and bottom of each stroke.
    DrawTextBk(&dc, L"l", &all, DT_SINGLELINE, 0x000000, 0xFF0000);
    const Ink ink = InkOf(surface, kWhite);
    ASSERT_GE(ink.left, 0);
    const QRgb rightOfStroke = PixelAt(surface, ink.right, (ink.top + ink.bottom) / 2);
    EXPECT_GT(qBlue(rightOfStroke), qRed(rightOfStroke) + 20) << std::hex << rightOfStroke;
    const QRgb leftOfStroke = PixelAt(surface, ink.left, (ink.top + ink.bottom) / 2);
    EXPECT_NEAR(qBlue(leftOfStroke), qRed(leftOfStroke), 10) << "no shadow on the left";
}

TEST(CdcTest, CompatibleContextHasTheFontAndStartsTransparent) {
    QImage surface = Surface(10, 10, kWhite);
    CDC dc(&surface);
    QFont font("DejaVu Serif", 21);
    dc.SelectFont(font);
    dc.SetTextColor(0x0000FF);
    const CDC memory = CDC::CreateCompatible(dc, CSize(4, 3));
    ASSERT_TRUE(memory.IsValid());
    EXPECT_EQ(memory.GetSize(), CSize(4, 3));
    EXPECT_EQ(memory.GetFont(), font);
    EXPECT_EQ(memory.GetTextColor(), 0x000000u) << "only the font is carried over";
    EXPECT_EQ(memory.GetSurface()->pixel(1, 1), 0u);
    EXPECT_FALSE(CDC::CreateCompatible(dc, CSize(0, 5)).IsValid());
}

TEST(CdcTest, BitBltCopiesPixelsWithTheirAlphaAndSkipsWhatIsOutside) {
    QImage source(4, 4, QImage::Format_ARGB32_Premultiplied);
    source.fill(Qt::transparent);
    source.setPixel(0, 0, qPremultiply(0x80FF0000));
    source.setPixel(3, 3, 0xFF00FF00);
    QImage target = Surface(4, 4, kWhite);
    CDC from(&source);
    CDC to(&target);
    to.BitBlt(1, 1, 4, 4, from, 0, 0);
    EXPECT_EQ(target.pixel(1, 1), qPremultiply(0x80FF0000)) << "copied, not blended";
    EXPECT_EQ(target.pixel(0, 0), kWhite);
    EXPECT_EQ(target.pixel(2, 2), 0u);
    // The source block starts outside the source: only its inside part arrives, in place.
    QImage again = Surface(4, 4, kWhite);
    CDC(&again).BitBlt(0, 0, 4, 4, from, -1, -1);
    EXPECT_EQ(again.pixel(0, 0), kWhite);
    EXPECT_EQ(again.pixel(1, 1), qPremultiply(0x80FF0000));
}

TEST(CdcTest, DrawingCoordinatesAreOffsetByTheOrigin) {
    QImage surface = Surface(4, 4, kWhite);
    CDC dc(&surface);
    dc.SetOrigin(CPoint(10, 20));
    EXPECT_EQ(dc.GetBounds(), CRect(10, 20, 14, 24));
    const RECT logical{11, 21, 12, 22};
    FillRectAlpha(&dc, &logical, 0x000000, 255);
    EXPECT_EQ(PixelAt(surface, 1, 1), 0xFF000000u);
    EXPECT_EQ(PixelAt(surface, 0, 0), kWhite);

    QImage copy = Surface(4, 4, kWhite);
    CDC(&copy).BitBlt(2, 2, 2, 2, dc, 11, 21);
    EXPECT_EQ(PixelAt(copy, 2, 2), 0xFF000000u);
    EXPECT_EQ(PixelAt(copy, 3, 3), kWhite);
}

TEST(CdcTest, PlainTextUsesTheTextColourAndOpaqueBackground) {
    QImage surface = Surface(80, 30, kWhite);
    CDC dc(&surface);
    dc.SetTextColor(0x0000FF);
    dc.SetBkColor(0x00FF00);
    EXPECT_EQ(dc.SetBkMode(OPAQUE), OPAQUE);
    const RECT all{0, 0, 80, 30};
    dc.DrawText(L"x", all, DT_SINGLELINE);
    EXPECT_EQ(PixelAt(surface, 0, 0), 0xFF00FF00u) << "the text's extent is filled";
    EXPECT_EQ(PixelAt(surface, 79, 29), kWhite);

    QImage clear = Surface(80, 30, kWhite);
    CDC transparent(&clear);
    transparent.SetTextColor(0x0000FF);
    transparent.SetBkMode(TRANSPARENT);
    transparent.DrawText(L"HHH", all, DT_SINGLELINE | DT_VCENTER);
    EXPECT_EQ(PixelAt(clear, 0, 0), kWhite);
    const Ink ink = InkOf(clear, kWhite);
    ASSERT_GE(ink.left, 0);
    const QRgb stroke = PixelAt(clear, ink.left, (ink.top + ink.bottom) / 2);
    EXPECT_GT(qRed(stroke), qBlue(stroke)) << std::hex << stroke;
}

}  // namespace
