#include "gfx/image.h"

#include "gfx/dc.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace {

// Files above this size are not read at all: a picture for the user interface never comes
// near it.
constexpr std::uintmax_t kMaxImageFileBytes = std::uintmax_t{256} << 20;

}  // namespace

bool CImage::IsPremultiplied() const {
    return image_.format() == QImage::Format_ARGB32_Premultiplied;
}

bool CImage::Load(const std::wstring& path) {
    const std::filesystem::path file(platform::ToUtf8(path));
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    const std::optional<std::string> bytes =
        !error && size <= kMaxImageFileBytes ? platform::ReadFileBytes(file) : std::nullopt;
    if (!bytes) {
        Destroy();
        return false;
    }
    return LoadFromMemory(QByteArray::fromStdString(*bytes));
}

bool CImage::LoadFromMemory(const QByteArray& bytes) {
    QImage decoded;
    if (!bytes.isEmpty()) {
        decoded.loadFromData(bytes);
    }
    return Attach(decoded);
}

bool CImage::Attach(const QImage& image) {
    if (image.isNull()) {
        Destroy();
        return false;
    }
    const bool premultiplied = image.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage::Format format = premultiplied             ? QImage::Format_ARGB32_Premultiplied
                                  : image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                            : QImage::Format_RGB32;
    image_ = image.convertToFormat(format);
    return !image_.isNull();
}

bool CImage::Premultiply() {
    if (image_.format() != QImage::Format_ARGB32 || image_.width() <= 0) {
        return false;
    }
    for (int y = 0; y < image_.height(); ++y) {
        auto* pixel = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = 0; x < image_.width(); ++x, ++pixel) {
            const unsigned alpha = qAlpha(*pixel);
            *pixel = qRgba(static_cast<int>(qRed(*pixel) * alpha / 255),
                           static_cast<int>(qGreen(*pixel) * alpha / 255),
                           static_cast<int>(qBlue(*pixel) * alpha / 255), static_cast<int>(alpha));
        }
    }
    image_.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    return true;
}

void CImage::Draw(CDC* dc, const RECT& destination, const RECT& source) const {
    if (dc != nullptr) {
        dc->DrawImage(image_, destination, source);
    }
}
