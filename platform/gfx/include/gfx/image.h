#pragma once

// CImage, a 32-bit image: every decoded image is held as 32 bits per pixel, with an alpha
// channel when the file has one. Pixels with alpha start straight (colour not multiplied by
// alpha); Premultiply converts them once, and drawing handles both forms correctly.
//
// Nothing here throws; failures leave the image empty. Images are plain values (copies share
// pixels until one is changed) and may be used from any one thread at a time.

#include <QByteArray>
#include <QImage>
#include <string>

#include "gfx/geometry.h"
#include "trellis/export.h"

class CDC;

class TRELLIS_API CImage {
public:
    bool IsNull() const { return image_.isNull(); }
    int GetWidth() const { return image_.width(); }
    int GetHeight() const { return image_.height(); }
    // 32 for a loaded image, 0 for an empty one.
    int GetBPP() const { return IsNull() ? 0 : 32; }
    bool HasAlphaChannel() const { return image_.hasAlphaChannel(); }
    bool IsPremultiplied() const;

    void Destroy() { image_ = QImage(); }

    // Decodes the file at path (used as given) from its bytes, so any file name works. False,
    // and an empty image, when the file cannot be read, is larger than 256 MiB, or is not an
    // image Qt can decode (PNG, JPEG, GIF, BMP and the other formats of the installed image
    // plug-ins), or when the image is larger than Qt's decoding limit.
    bool Load(const std::wstring& path);

    // Decodes an image held in memory; as Load.
    bool LoadFromMemory(const QByteArray& bytes);

    // Adopts pixels made elsewhere, converted to 32 bits (ARGB32 when image has alpha, else
    // RGB32). A null image empties this one; the result says whether pixels were adopted.
    bool Attach(const QImage& image);

    // Multiplies blue, green and red by alpha / 255 (rounded down) in every pixel, once: an
    // image without alpha channel, or one already premultiplied, is left unchanged. True when
    // the pixels were converted.
    bool Premultiply();

    // Blends the source rectangle of the image over the destination rectangle of dc, with the
    // per-pixel alpha; scaled by dc's stretch mode when the sizes differ.
    void Draw(CDC* dc, const RECT& destination, const RECT& source) const;

    const QImage& GetImage() const { return image_; }

private:
    QImage image_;
};
