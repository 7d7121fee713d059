#include "text_layout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

#include "elide.h"
#include "gfx/text_format.h"

namespace {

bool IsSingleLine(UINT format) {
    return (format & (DT_SINGLELINE | DT_NOCLIP)) != 0;
}

QString WithoutLineBreaks(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

QString WithLineSeparators(QString text) {
    text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    return text;
}

QString TrimmedEnd(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && (text.at(end - 1).isSpace() || text.at(end - 1) == QChar::LineSeparator)) {
        --end;
    }
    return text.left(end);
}

// Where each word-wrapped line of text starts and how long it is.
std::vector<std::pair<int, int>> WrappedSpans(const QString& text, qreal width, const QFont& font,
                                              const QPaintDevice* device) {
    QTextLayout layout(text, font, const_cast<QPaintDevice*>(device));
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    std::vector<std::pair<int, int>> spans;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max<qreal>(width, 0));
        spans.emplace_back(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return spans;
}

// The texts of the word-wrapped lines of text in width; when an ellipsis is asked for and the
// lines overflow the height, the last line that fits carries the rest of the text shortened.
std::vector<QString> WrapLines(const QString& text, qreal width, qreal height, UINT format,
                               const QFont& font, const QPaintDevice* device) {
    const QString separated = WithLineSeparators(text);
    const std::vector<std::pair<int, int>> spans = WrappedSpans(separated, width, font, device);
    const QFontMetricsF metrics(font, device);
    const EllipsisMode mode = EllipsisModeFor(format);
    const auto fitting = static_cast<size_t>(std::max(1.0, std::floor(height / metrics.height())));
    std::vector<QString> lines;
    for (size_t i = 0; i < spans.size(); ++i) {
        if (mode != EllipsisMode::kNone && i + 1 == fitting && spans.size() > fitting) {
            QString rest = separated.mid(spans[i].first);
            rest.replace(QChar::LineSeparator, QLatin1Char(' '));
            lines.push_back(ElideLine(rest, mode, metrics, width));
            break;
        }
        lines.push_back(TrimmedEnd(separated.mid(spans[i].first, spans[i].second)));
    }
    return lines;
}

qreal AlignedLeft(const QRectF& rect, qreal lineWidth, UINT format) {
    if (format & DT_RIGHT) {
        return rect.right() - lineWidth;
    }
    if (format & DT_CENTER) {
        return rect.left() + (rect.width() - lineWidth) / 2;
    }
    return rect.left();
}

}  // namespace

TextPlacement PlaceText(const QString& text, const QRectF& rect, UINT format, const QFont& font,
                        const QPaintDevice* device) {
    const QFontMetricsF metrics(font, device);
    std::vector<QString> texts;
    if (IsSingleLine(format)) {
        texts.push_back(
            ElideLine(WithoutLineBreaks(text), EllipsisModeFor(format), metrics, rect.width()));
    } else if (!text.isEmpty()) {
        texts = WrapLines(text, rect.width(), rect.height(), format, font, device);
    }
    const qreal lineHeight = metrics.height();
    qreal top = rect.top();
    if (format & DT_VCENTER) {
        top += (rect.height() - lineHeight * static_cast<qreal>(texts.size())) / 2;
    }
    TextPlacement placement{{}, rect};
    for (const QString& line : texts) {
        const qreal width = metrics.horizontalAdvance(line);
        const qreal left = std::round(AlignedLeft(rect, width, format));
        const qreal lineTop = std::round(top);
        placement.lines.push_back({line, QPointF(left, lineTop + metrics.ascent()),
                                   QRectF(left, lineTop, width, lineHeight)});
        top += lineHeight;
    }
    return placement;
}

void PaintPlacedText(QPainter& painter, const TextPlacement& placement) {
    painter.save();
    painter.setClipRect(placement.clip, Qt::IntersectClip);
    for (const TextLine& line : placement.lines) {
        painter.drawText(line.baseline, line.text);
    }
    painter.restore();
}

QRectF PlacedTextBounds(const TextPlacement& placement) {
    QRectF bounds;
    for (const TextLine& line : placement.lines) {
        bounds = bounds.united(line.box);
    }
    return bounds.intersected(placement.clip);
}
