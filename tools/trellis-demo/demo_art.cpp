#include "demo_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace {

QImage Transparent(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void PaintHill(QPainter& painter, QSize size, double base, double height, double phase,
               const QColor& colour) {
    QPainterPath hill(QPointF(0, size.height()));
    for (int x = 0; x <= size.width(); x += 8) {
        const double wave = std::sin(x / 140.0 + phase) * height + std::sin(x / 53.0) * 6;
        hill.lineTo(x, size.height() * base - wave);
    }
    hill.lineTo(size.width(), size.height());
    hill.closeSubpath();
    painter.fillPath(hill, colour);
}

}  // namespace

QImage LandscapePicture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0.0, QColor(120, 170, 225));
    sky.setColorAt(0.6, QColor(214, 232, 248));
    painter.fillRect(image.rect(), sky);
    const QPointF sunCentre(size.width() * 0.78, size.height() * 0.42);
    QRadialGradient sun(sunCentre, size.height() * 0.16);
    sun.setColorAt(0.0, QColor(255, 244, 200));
    sun.setColorAt(0.5, QColor(255, 226, 150, 200));
    sun.setColorAt(1.0, QColor(255, 226, 150, 0));
    painter.fillRect(image.rect(), sun);
    PaintHill(painter, size, 0.74, 26, 0.0, QColor(150, 196, 140));
    PaintHill(painter, size, 0.84, 20, 2.1, QColor(104, 160, 102));
    PaintHill(painter, size, 0.94, 14, 4.0, QColor(70, 128, 76));
    return image;
}

QImage AddImagesIcon() {
    QImage image = Transparent(32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 72, 90), 1.5));
    painter.setBrush(QColor(250, 250, 250));
    painter.drawRoundedRect(QRectF(2.5, 5.5, 24, 19), 2, 2);
    QPainterPath mountain(QPointF(5, 22));
    mountain.lineTo(12, 13);
    mountain.lineTo(17, 18);
    mountain.lineTo(20, 15);
    mountain.lineTo(24, 22);
    painter.fillPath(mountain, QColor(80, 150, 90));
    painter.setBrush(QColor(240, 190, 60));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(20, 10), 2.2, 2.2);
    painter.setBrush(QColor(40, 140, 60));
    painter.drawEllipse(QPointF(25, 24), 6.5, 6.5);
    painter.fillRect(QRectF(21.5, 23, 7, 2), Qt::white);
    painter.fillRect(QRectF(24, 20.5, 2, 7), Qt::white);
    return image;
}

QImage SettingsIcon() {
    QImage image = Transparent(32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(16, 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(90, 100, 118));
    for (int tooth = 0; tooth < 8; ++tooth) {
        painter.drawRoundedRect(QRectF(-2.5, -14, 5, 8), 1, 1);
        painter.rotate(45);
    }
    painter.drawEllipse(QPointF(0, 0), 10, 10);
    painter.setBrush(QColor(235, 238, 242));
    painter.drawEllipse(QPointF(0, 0), 4.5, 4.5);
    return image;
}

QImage MakePdfIcon() {
    QImage image = Transparent(32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath page(QPointF(6.5, 2.5));
    page.lineTo(20, 2.5);
    page.lineTo(26.5, 9);
    page.lineTo(26.5, 29.5);
    page.lineTo(6.5, 29.5);
    page.closeSubpath();
    painter.setPen(QPen(QColor(70, 70, 80), 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(page);
    painter.drawLine(QPointF(20, 2.5), QPointF(20, 9));
    painter.drawLine(QPointF(20, 9), QPointF(26.5, 9));
    painter.fillRect(QRectF(3, 15, 20, 9), QColor(200, 40, 40));
    QFont font = painter.font();
    font.setPixelSize(8);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(3, 15, 20, 9), Qt::AlignCenter, QStringLiteral("PDF"));
    return image;
}

QImage WindowIconPicture() {
    QImage image = Transparent(16);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 40, 40));
    painter.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(4, 4, 8, 2));
    painter.drawRect(QRectF(4, 7, 8, 2));
    painter.drawRect(QRectF(4, 10, 5, 2));
    return image;
}
