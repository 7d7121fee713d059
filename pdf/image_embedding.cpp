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

uint32_t WriteDecoded(ObjectWriter& writer, std::span<const uint8_t> bytes, uint32_t format) {
    imaging::Image image;
    if (!image.Decode(bytes.data(), bytes.size(), format)) {
        const std::string reason = image.GetLastError();
        Fail(kErrorImage, reason.empty() ? "the image cannot be decoded" : reason);
    }
    return WriteBitmapImage(writer, image.GetBitmap());
}

// The image data as PDF can carry it unchanged, or else decoded.
uint32_t WriteImageData(ObjectWriter& writer, std::span<const uint8_t> bytes,
                        const imaging::ImageInfo& info) {
    if (info.format == imaging::kFormatJpeg && CanPassJpegThrough(info)) {
        return WriteJpegImage(writer, bytes, info);
    }
    std::optional<uint32_t> id;
    if (info.format == imaging::kFormatPng)
        id = WritePngPassThrough(writer, bytes);
    if (info.format == imaging::kFormatTiff)
        id = WriteCcittPassThrough(writer, bytes);
    return id ? *id : WriteDecoded(writer, bytes, info.format);
}

double NaturalSize(uint32_t pixels, uint32_t dpi) {
    return pixels * 72.0 / (dpi ? dpi : 72);
}

}  // namespace

ImageObject EmbedImage(ObjectWriter& writer, std::span<const uint8_t> bytes,
                       std::wstring_view imageType) {
    const uint32_t requested = RequestedFormat(imageType);
    std::string reason;
    const std::optional<imaging::ImageInfo> info =
        imaging::Inspect(bytes.data(), bytes.size(), &reason);
    if (!info)
        Fail(kErrorImage, reason.empty() ? "not a supported image" : reason);
    if (requested != imaging::kFormatUnknown && info->format != requested) {
        Fail(kErrorImage, "the file is not of image type '" + platform::ToUtf8(imageType) + "'");
    }
    if (NeedsOutsideHelp(info->format)) {
        Fail(kErrorImage, "this kind of image must be converted before it can be embedded");
    }
    return {WriteImageData(writer, bytes, *info), NaturalSize(info->width, info->xdpi),
            NaturalSize(info->height, info->ydpi)};
}

}  // namespace pdf
