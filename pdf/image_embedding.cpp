#include "image_embedding.h"

#include <imaging/image.h>

#include <array>
#include <string>

#include "bitmap_embedding.h"
#include "ccitt_embedding.h"
#include "failure.h"
#include "jpeg_embedding.h"
#include "pdfwriter/pdf_writer.h"
#include "platform/text.h"
#include "png_embedding.h"

namespace pdf {
namespace {

struct NamedFormat {
    std::wstring_view name;
    uint32_t format;
};

constexpr std::array<NamedFormat, 6> kImageTypes{{
    {L"auto", imaging::kFormatUnknown},
    {L"jpeg", imaging::kFormatJpeg},
    {L"png", imaging::kFormatPng},
    {L"tiff", imaging::kFormatTiff},
    {L"gif", imaging::kFormatGif},
    {L"bmp", imaging::kFormatBmp},
}};

uint32_t RequestedFormat(std::wstring_view imageType) {
    for (const NamedFormat& type : kImageTypes) {
        if (platform::EqualsIgnoreCase(imageType, type.name))
            return type.format;
    }
    Fail(kErrorParameter, "unknown image type '" + platform::ToUtf8(imageType) + "'");
}

bool NeedsOutsideHelp(uint32_t format) {
    return format == imaging::kFormatMng || format == imaging::kFormatRaw ||
           format == imaging::kFormatJbig;
}

[[noreturn]] void FailToDecode(const imaging::Image& image) {
    const std::string reason = image.GetLastError();
    Fail(kErrorImage, reason.empty() ? "the image cannot be decoded" : reason);
}

uint32_t WriteDecoded(ObjectWriter& writer, std::span<const uint8_t> bytes, uint32_t format) {
    imaging::Image image;
    if (!image.Decode(bytes.data(), bytes.size(), format)) {
        FailToDecode(image);
    }
    // A JPEG's pixels are decoded here, where cut or damaged scan data shows.
    const imaging::Bitmap& bitmap = image.GetBitmap();
    if (!image.IsValid()) {
        FailToDecode(image);
    }
    return WriteBitmapImage(writer, bitmap, image.GetIccProfile());
}

// The image data as PDF can carry it unchanged, or else decoded.
uint32_t WriteImageData(ObjectWriter& writer, ImageSource& source, const imaging::ImageInfo& info) {
    std::optional<uint32_t> id;
    if (info.format == imaging::kFormatJpeg)
        id = WriteJpegPassThrough(writer, source, info);
    if (id)
        return *id;
    const std::span<const uint8_t> bytes = source.All();
    // A PNG's profile is carried by its decoded pixels; its data passes through without one.
    if (info.format == imaging::kFormatPng && info.iccProfile.empty())
        id = WritePngPassThrough(writer, bytes);
    if (info.format == imaging::kFormatTiff)
        id = WriteCcittPassThrough(writer, bytes);
    return id ? *id : WriteDecoded(writer, bytes, info.format);
}

// The header, read from the beginning of the file when it lies there, as it does in all but
// unusual files.
std::optional<imaging::ImageInfo> Inspect(ImageSource& source, std::string& reason) {
    constexpr size_t kHeadSize = 256 * 1024;
    const std::span<const uint8_t> head = source.Head(kHeadSize);
    std::optional<imaging::ImageInfo> info = imaging::Inspect(head.data(), head.size(), &reason);
    if (!info && source.size() > head.size()) {
        const std::span<const uint8_t> all = source.All();
        info = imaging::Inspect(all.data(), all.size(), &reason);
    }
    return info;
}

double NaturalSize(uint32_t pixels, uint32_t dpi) {
    return pixels * 72.0 / (dpi ? dpi : 72);
}

}  // namespace

ImageObject EmbedImage(ObjectWriter& writer, ImageSource& source, std::wstring_view imageType,
                       bool followOrientation) {
    const uint32_t requested = RequestedFormat(imageType);
    std::string reason;
    const std::optional<imaging::ImageInfo> info = Inspect(source, reason);
    if (!info)
        Fail(kErrorImage, reason.empty() ? "not a supported image" : reason);
    if (requested != imaging::kFormatUnknown && info->format != requested) {
        Fail(kErrorImage, "the file is not of image type '" + platform::ToUtf8(imageType) + "'");
    }
    if (NeedsOutsideHelp(info->format)) {
        Fail(kErrorImage, "this kind of image must be converted before it can be embedded");
    }
    const uint8_t orientation = followOrientation ? info->orientation : 1;
    const double width = NaturalSize(info->width, info->xdpi);
    const double height = NaturalSize(info->height, info->ydpi);
    const bool swap = orientation >= 5 && orientation <= 8;
    return {WriteImageData(writer, source, *info), swap ? height : width, swap ? width : height,
            orientation};
}

}  // namespace pdf
