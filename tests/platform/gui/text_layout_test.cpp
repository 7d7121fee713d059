// Placing text by DrawText flags: single line, wrapping, alignment and the ellipsis modes.

#include "text_layout.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>

#include "gfx/text_format.h"

namespace {

class TextLayoutTest : public ::testing::Test {
protected:
    TextLayoutTest() : surface_(10, 10, QImage::Format_ARGB32_Premultiplied) {
        font_ = QGuiApplication::font();
        font_.setPixelSize(12);
    }

    std::vector<QString> Lines(const QString& text, qreal width, qreal height, UINT format) {
        std::vector<QString> lines;
        for (const TextLine& line : Place(text, width, height, format).lines) {
            lines.push_back(line.text);
        }
        return lines;
    }

    TextPlacement Place(const QString& text, qreal width, qreal height, UINT format) {
        return PlaceText(text, QRectF(0, 0, width, height), format, font_, &surface_);
    }

    qreal Width(const QString& text) const {
        return QFontMetricsF(font_, &surface_).horizontalAdvance(text);
    }

    QImage surface_;
    QFont font_;
};

TEST_F(TextLayoutTest, TextThatFitsIsKeptWhole) {
    const QString text = QStringLiteral("short");
    EXPECT_EQ(Lines(text, 200, 20, DT_SINGLELINE | DT_END_ELLIPSIS), std::vector<QString>{text});
}

TEST_F(TextLayoutTest, EndEllipsisCutsAfterTheLastCharacterThatFits) {
    const QString text = QStringLiteral("alpha beta gamma");
    const qreal width = Width(QStringLiteral("alpha be\u2026")) + 0.5;
    EXPECT_EQ(Lines(text, width, 20, DT_SINGLELINE | DT_END_ELLIPSIS),
              std::vector<QString>{QStringLiteral("alpha be\u2026")});
}

TEST_F(TextLayoutTest, WordEllipsisCutsAtTheLastWholeWord) {
    const QString text = QStringLiteral("alpha beta gamma");
    const qreal width = Width(QStringLiteral("alpha be\u2026")) + 0.5;
    EXPECT_EQ(Lines(text, width, 20, DT_SINGLELINE | DT_WORD_ELLIPSIS),
              std::vector<QString>{QStringLiteral("alpha\u2026")});
}

TEST_F(TextLayoutTest, PathEllipsisKeepsTheFileName) {
    const QString text = QStringLiteral("/home/user/pictures/holiday/beach.png");
    const QString expected = QStringLiteral("/home/u\u2026/beach.png");
    const std::vector<QString> lines =
        Lines(text, Width(expected) + 0.5, 20, DT_SINGLELINE | DT_PATH_ELLIPSIS);
    EXPECT_EQ(lines, std::vector<QString>{expected});
}

TEST_F(TextLayoutTest, SingleLineJoinsLineBreaksAndNoFlagNeverShortens) {
    EXPECT_EQ(Lines(QStringLiteral("one\ntwo"), 300, 60, DT_SINGLELINE),
              std::vector<QString>{QStringLiteral("one two")});
    const QString longText = QStringLiteral("a rather long line of text");
    EXPECT_EQ(Lines(longText, 10, 20, DT_SINGLELINE), std::vector<QString>{longText});
}

TEST_F(TextLayoutTest, WithoutSingleLineTextWrapsAtWordsAndAtBreaks) {
    const qreal width = Width(QStringLiteral("alpha beta")) + 1;
    EXPECT_EQ(Lines(QStringLiteral("alpha beta gamma\ndelta"), width, 200, DT_LEFT),
              (std::vector<QString>{QStringLiteral("alpha beta"), QStringLiteral("gamma"),
                                    QStringLiteral("delta")}));
}

TEST_F(TextLayoutTest, WrappedTextThatOverflowsEndsWithAnEllipsisOnTheLastFittingLine) {
    const qreal lineHeight = QFontMetricsF(font_, &surface_).height();
    const qreal width = Width(QStringLiteral("alpha beta")) + 1;
    const std::vector<QString> lines = Lines(QStringLiteral("alpha beta gamma delta epsilon"),
                                             width, lineHeight * 2 + 2, DT_END_ELLIPSIS);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], QStringLiteral("alpha beta"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("gamma"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("\u2026")));
}

TEST_F(TextLayoutTest, LinesAreAlignedAndTheBlockCentredVertically) {
    const TextPlacement right = Place(QStringLiteral("x"), 100, 50, DT_RIGHT | DT_SINGLELINE);
    ASSERT_EQ(right.lines.size(), 1u);
    EXPECT_NEAR(right.lines[0].box.right(), 100, 0.5);
    EXPECT_EQ(right.lines[0].box.top(), 0);

    const TextPlacement centred =
        Place(QStringLiteral("x"), 100, 50, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const QRectF box = centred.lines[0].box;
    EXPECT_NEAR(box.center().x(), 50, 1);
    EXPECT_NEAR(box.center().y(), 25, 1);
    EXPECT_TRUE(Place(QString(), 100, 50, DT_LEFT).lines.empty());
}

}  // namespace
