#include "drag_picture.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

const QColor kBackground(0, 100, 255);
const QColor kTextColour(254, 254, 254);
constexpr int kTextMargin = 5;
constexpr int kTextFlags =
    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs;

// The lines the picture shows: the first ten row lines, then the summary when rows remain.
QStringList ShownLines(const QStringList& lines) {
    QStringList shown = lines.mid(0, kDragMaxLines);
    if (lines.size() > kDragMaxLines) {
        shown.push_back(QStringLiteral("... %1 Item").arg(lines.size()));
    }
    return shown;
}

int WidestLine(const QStringList& lines, const QFontMetrics& metrics) {
    int widest = 0;
    for (const QString& line : lines.mid(0, kDragMaxLines)) {
        widest = std::max(widest, metrics.size(kTextFlags, line).width());
    }
    return widest;
}

}  // namespace

QImage BuildDragPicture(const QStringList& lines, const QFont& font) {
    const QFontMetrics metrics(font);
    const QStringList shown = ShownLines(lines);
    const int width = WidestLine(lines, metrics) + 20;
    QImage picture(width, kDragLineHeight * std::max<int>(1, shown.size()),
                   QImage::Format_ARGB32_Premultiplied);
    picture.fill(kBackground);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(kTextColour);
    const int textWidth = width - 2 * kTextMargin;
    for (int i = 0; i < shown.size(); ++i) {
        const QRect box(kTextMargin, i * kDragLineHeight, textWidth, kDragLineHeight);
        QString text = shown[i];
        if (metrics.size(kTextFlags, text).width() > textWidth) {
            text = metrics.elidedText(text, Qt::ElideRight, textWidth);
        }
        painter.drawText(box, kTextFlags, text);
    }
    return picture;
}

DragPictureWindow::DragPictureWindow(QImage picture)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus),
      picture_(std::move(picture)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(picture_.size());
}

void DragPictureWindow::FollowPointer(QPoint pointer) {
    move(pointer + QPoint(kDragOffsetX, kDragOffsetY));
    if (!isVisible()) {
        show();
    }
}

void DragPictureWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}
