#include "elide.h"

#include "gfx/text_format.h"

namespace {

const QString kEllipsis = QStringLiteral("\u2026");

bool Fits(const QFontMetricsF& metrics, const QString& text, qreal width) {
    return metrics.horizontalAdvance(text) <= width;
}

// The longest prefix of text (by character count) for which prefix + suffix fits in width;
// -1 when not even the bare suffix fits.
qsizetype LongestFittingPrefix(const QString& text, const QString& suffix,
                               const QFontMetricsF& metrics, qreal width) {
    if (!Fits(metrics, suffix, width)) {
        return -1;
    }
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (Fits(metrics, text.left(middle) + suffix, width)) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

QString ElideAtCharacter(const QString& text, const QFontMetricsF& metrics, qreal width) {
    const qsizetype kept = LongestFittingPrefix(text, kEllipsis, metrics, width);
    return kept < 0 ? QString() : text.left(kept) + kEllipsis;
}

QString ElideAtWord(const QString& text, const QFontMetricsF& metrics, qreal width) {
    const qsizetype kept = LongestFittingPrefix(text, kEllipsis, metrics, width);
    if (kept < 0) {
        return QString();
    }
    // Back up to the space before the word that was cut; a single long word is cut anywhere.
    qsizetype end = kept;
    if (end < text.size() && !text.at(end).isSpace()) {
        const qsizetype space = text.lastIndexOf(QLatin1Char(' '), end - 1);
        if (space > 0) {
            end = space;
        }
    }
    while (end > 0 && text.at(end - 1).isSpace()) {
        --end;
    }
    return text.left(end) + kEllipsis;
}

QString ElidePath(const QString& text, const QFontMetricsF& metrics, qreal width) {
    const qsizetype separator =
        std::max(text.lastIndexOf(QLatin1Char('/')), text.lastIndexOf(QLatin1Char('\\')));
    if (separator < 0) {
        return metrics.elidedText(text, Qt::ElideMiddle, width);
    }
    const QString head = text.left(separator);
    const QString tail = kEllipsis + text.mid(separator);
    const qsizetype kept = LongestFittingPrefix(head, tail, metrics, width);
    if (kept < 0) {
        // Not even the last part fits: keep as much of its end as possible.
        return metrics.elidedText(text, Qt::ElideLeft, width);
    }
    return head.left(kept) + tail;
}

}  // namespace

EllipsisMode EllipsisModeFor(UINT format) {
    if (format & DT_PATH_ELLIPSIS) {
        return EllipsisMode::kPath;
    }
    if (format & DT_WORD_ELLIPSIS) {
        return EllipsisMode::kWord;
    }
    if (format & DT_END_ELLIPSIS) {
        return EllipsisMode::kCharacter;
    }
    return EllipsisMode::kNone;
}

QString ElideLine(const QString& text, EllipsisMode mode, const QFontMetricsF& metrics,
                  qreal width) {
    if (mode == EllipsisMode::kNone || Fits(metrics, text, width)) {
        return text;
    }
    switch (mode) {
        case EllipsisMode::kCharacter:
            return ElideAtCharacter(text, metrics, width);
        case EllipsisMode::kWord:
            return ElideAtWord(text, metrics, width);
        case EllipsisMode::kPath:
            return ElidePath(text, metrics, width);
        case EllipsisMode::kNone:
            break;
    }
    return text;
}
