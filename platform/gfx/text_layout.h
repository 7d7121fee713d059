#pragma once

// Places text in a rectangle by the DrawText flags: one line or word-wrapped lines, aligned,
// optionally centred vertically, shortened with an ellipsis when it does not fit.

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

#include "gfx/wintypes.h"

class QPaintDevice;
class QPainter;

struct TextLine {
    QString text;
    QPointF baseline;  // where the line's baseline starts
    QRectF box;        // the line's advance width by its line height
};

struct TextPlacement {
    std::vector<TextLine> lines;
    QRectF clip;  // the layout rectangle; nothing is drawn outside it
};

// Lays out text for drawing with font on device. Never fails; empty text gives no lines.
TextPlacement PlaceText(const QString& text, const QRectF& rect, UINT format, const QFont& font,
                        const QPaintDevice* device);

// Draws the placed lines with the painter's current pen and font, clipped to the placement.
void PaintPlacedText(QPainter& painter, const TextPlacement& placement);

// The union of the line boxes, clipped to the layout rectangle.
QRectF PlacedTextBounds(const TextPlacement& placement);
