#pragma once

// Pixel helpers for checks of painted results.

#include <QImage>
#include <cstdlib>
#include <ostream>

// A pixel as straight (not premultiplied) 0xAARRGGBB.
inline QRgb PixelAt(const QImage& image, int x, int y) {
    return qUnpremultiply(image.pixel(x, y));
}

// True when every channel of the two colours differs by at most tolerance.
inline bool Near(QRgb a, QRgb b, int tolerance = 1) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance &&
           std::abs(qAlpha(a) - qAlpha(b)) <= tolerance;
}

// An opaque surface filled with one colour (0xAARRGGBB).
inline QImage Surface(int width, int height, QRgb fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor::fromRgba(fill));
    return image;
}
