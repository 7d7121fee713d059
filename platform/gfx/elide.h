#pragma once

// Shortening one line of text to a width with an ellipsis.

#include <QFontMetricsF>
#include <QString>

#include "gfx/wintypes.h"

enum class EllipsisMode {
    kNone,       // the text is kept whole (and clipped by the caller)
    kCharacter,  // cut after the last character that fits
    kWord,       // cut after the last whole word that fits
    kPath,       // keep the part after the last separator, cut the middle
};

// The ellipsis mode chosen by DrawText flags. When several are given the path mode wins over
// the word mode, which wins over the character mode.
EllipsisMode EllipsisModeFor(UINT format);

// text unchanged when it fits in width, else shortened by mode with an ellipsis. The result
// can be the bare ellipsis, or empty, when not even that fits.
QString ElideLine(const QString& text, EllipsisMode mode, const QFontMetricsF& metrics,
                  qreal width);
