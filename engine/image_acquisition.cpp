#include "image_acquisition.h"

#include <algorithm>
#include <cstdint>

#include "encode_pipeline.h"
#include "imaging/image.h"
#include "platform/input_file.h"
#include "platform/text.h"

namespace engine {
namespace {

constexpr const wchar_t* kVirtualFile = L"/pvf/image";

struct EncodePlan {
    uint32_t format = imaging::kFormatJpeg;
    int quality = -1;  // -1: the library's default
    bool grayAlways = false;
    bool grayWhenIndexed = false;
};

uint32_t LimitOrUnbounded(int32_t limit) {
    return limit == 0 ? UINT32_MAX : static_cast<uint32_t>(limit);
}

EncodePlan PlanFor(int32_t mode, uint32_t sourceFormat, int32_t jpegPercent) {
    const int quality = jpegPercent & 0xFF;
    switch (mode) {
        case kKeepSource: {
            const bool keepsFormat = sourceFormat == imaging::kFormatGif ||
                                     sourceFormat == imaging::kFormatJpeg ||
                                     sourceFormat == imaging::kFormatPng;
            return {keepsFormat ? sourceFormat : imaging::kFormatJpeg};
        }
        case kEncodeJpeg:
            return {imaging::kFormatJpeg, quality, false, true};
        case kEncodeGrayJpeg:
            return {imaging::kFormatJpeg, quality, true, false};
        case kEncodePng:
            return {imaging::kFormatPng};
        case kEncodeGif:
            return {imaging::kFormatGif};
        case kEncodeTiff:
            return {imaging::kFormatTiff};
        default:
            return {imaging::kFormatJpeg};
    }
}

// Shrinks the image so that neither side exceeds its limit, keeping the aspect ratio; the side
// that exceeds its limit by the larger factor ends exactly at the limit, the other is rounded
// (at least one pixel).
bool FitWithinLimits(imaging::Image& image, uint32_t maxWidth, uint32_t maxHeight) {
    const uint64_t width = image.GetWidth();
    const uint64_t height = image.GetHeight();
    if (width <= maxWidth && height <= maxHeight) {
        return true;
    }
    const auto scaled = [](uint64_t side, uint64_t limit, uint64_t other) {
        return static_cast<uint32_t>(std::max<uint64_t>(1, (side * limit + other / 2) / other));
    };
    if (width * maxHeight >= height * maxWidth) {  // width / maxWidth >= height / maxHeight
        return image.Resample(maxWidth, scaled(height, maxWidth, width), 2);
    }
    return image.Resample(scaled(width, maxHeight, height), maxHeight, 2);
}

bool DecodeFile(imaging::Image& image, const std::wstring& path, std::wstring& failure) {
    if (!image.Load(path) || !image.IsValid()) {
        failure = platform::FromUtf8(image.GetLastError());
        if (failure.empty()) {
            failure = L"not a readable image";
        }
        return false;
    }
    return true;
}

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// The whole regular file of at most maximum bytes, when its first bytes are start; nullopt
// otherwise.
std::optional<std::vector<uint8_t>> ReadFileStarting(const std::wstring& path, uint64_t maximum,
                                                     std::span<const uint8_t> start) {
    platform::InputFile file(platform::PathToNative(path));
    std::vector<uint8_t> head(start.size());
    if (!file.ok() || file.size() > maximum || file.size() < start.size() ||
        !file.ReadAt(0, head.data(), head.size()) ||
        !std::equal(head.begin(), head.end(), start.begin())) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(file.size());
    if (!file.ReadAt(0, bytes.data(), bytes.size())) {
        return std::nullopt;
    }
    return bytes;
}

// Shrinks the image to the request's limits and encodes it as the plan says. Whether it turns
// grey is decided from the image as decoded: shrinking gives a palette image full colour.
bool ShrinkAndEncode(imaging::Image& image, const EncodePlan& plan, const EncodeRequest& request,
                     std::vector<uint8_t>& block) {
    const bool gray = plan.grayAlways || (plan.grayWhenIndexed && image.IsIndexed());
    if (!FitWithinLimits(image, request.maxWidth, request.maxHeight)) {
        return false;
    }
    if (plan.quality >= 0) {
        image.SetJpegQuality(static_cast<uint8_t>(plan.quality));
    }
    if (gray && !image.GrayScale()) {
        return false;
    }
    return image.Encode(block, plan.format);
}

}  // namespace

EncodedBlock::EncodedBlock(pdf::PdfWriter& writer, std::vector<uint8_t> bytes)
    : writer_(writer), bytes_(std::move(bytes)) {
    Register(bytes_);
}

EncodedBlock::EncodedBlock(pdf::PdfWriter& writer, pdf::ProvenPng png)
    : writer_(writer), png_(std::move(png)) {
    Register(png_->bytes());
}

void EncodedBlock::Register(std::span<const uint8_t> bytes) {
    writer_.create_pvf(kVirtualFile, bytes.data(), bytes.size(), L"");
}

EncodedBlock::~EncodedBlock() {
    try {
        writer_.delete_pvf(kVirtualFile);
    } catch (const pdf::PdfError&) {
        // The name is gone with the document already; the bytes are freed either way.
    }
}

uint64_t PreparedImage::HeldBytes() const {
    return (bytes ? bytes->size() : 0) + (png ? png->bytes().size() : 0);
}

int LoadDirect(pdf::PdfWriter& writer, const std::wstring& path, bool autoRotate) {
    return writer.load_image(L"auto", path, autoRotate ? L"" : L"ignoreorientation");
}

std::optional<EncodeRequest> UpfrontEncodeRequest(const ConversionSettings& settings) {
    if (settings.ImageMaxX != 0 || settings.ImageMaxY != 0 || settings.DPI != 0) {
        return EncodeRequest{settings.ImageEncode, LimitOrUnbounded(settings.ImageMaxX),
                             LimitOrUnbounded(settings.ImageMaxY)};
    }
    if (settings.ImageEncode == kKeepSource) {
        return std::nullopt;
    }
    const bool known = settings.ImageEncode >= kEncodeJpeg && settings.ImageEncode <= kEncodeTiff;
    return EncodeRequest{known ? settings.ImageEncode : kEncodeJpeg};
}

PreparedImage EncodeImageFile(const ConversionSettings& settings, const std::wstring& path,
                              const EncodeRequest& request) {
    PreparedImage result;
    imaging::Image image;
    if (!DecodeFile(image, path, result.failure)) {
        return result;
    }
    // The re-encoded file records no orientation, so the pixels themselves are turned.
    if (settings.autoRotate && !image.AutoOrient()) {
        result.failure = platform::FromUtf8(image.GetLastError());
        return result;
    }
    if (settings.DPI != 0) {
        image.SetXDPI(static_cast<uint32_t>(settings.DPI));
        image.SetYDPI(static_cast<uint32_t>(settings.DPI));
    }
    std::vector<uint8_t> bytes;
    const EncodePlan plan = PlanFor(request.mode, image.GetType(), settings.JpepPercent);
    if (!ShrinkAndEncode(image, plan, request, bytes)) {
        result.failure = L"cannot re-encode the image: " + platform::FromUtf8(image.GetLastError());
        return result;
    }
    result.bytes = std::move(bytes);
    return result;
}

PreparedImage ProvePngFile(const std::wstring& path) {
    PreparedImage result;
    if (auto bytes = ReadFileStarting(path, kLargestProvenPng, kPngSignature)) {
        result.png = pdf::ProvenPng::Prove(std::move(*bytes));
    }
    return result;
}

namespace {

// The re-encoded image for path: the pipeline's result when it prepared one, else made now.
PreparedImage TakeOrEncode(RunState& run, const std::wstring& path, const EncodeRequest& request) {
    std::optional<PreparedImage> prepared;
    if (run.pipeline) {
        prepared = run.pipeline->Take(path);
    }
    return prepared ? std::move(*prepared) : EncodeImageFile(run.settings, path, request);
}

// Loads the bytes registered as "/pvf/image" into the writer; -1 and the writer's reason on
// failure.
void LoadRegistered(pdf::PdfWriter& writer, AcquiredImage& result) {
    result.handle = writer.load_image(L"auto", kVirtualFile, L"");
    if (result.handle == -1) {
        result.failure = writer.get_errmsg();
    }
}

// Keep mode: the file as the writer embeds it, from the bytes the pipeline proved when it is a
// PNG that passes through.
void LoadUnchanged(RunState& run, pdf::PdfWriter& writer, const std::wstring& path,
                   AcquiredImage& result) {
    std::optional<PreparedImage> prepared;
    if (run.pipeline) {
        prepared = run.pipeline->Take(path);
    }
    if (prepared && prepared->png) {
        result.block = std::make_unique<EncodedBlock>(writer, std::move(*prepared->png));
        LoadRegistered(writer, result);
        if (result.handle != -1) {
            return;
        }
        result.block.reset();
    }
    result.handle = LoadDirect(writer, path, run.settings.autoRotate);
}

}  // namespace

AcquiredImage AcquireImage(RunState& run, pdf::PdfWriter& writer, const std::wstring& path) {
    AcquiredImage result;
    PreparedImage encoded;
    if (const std::optional<EncodeRequest> request = UpfrontEncodeRequest(run.settings)) {
        encoded = TakeOrEncode(run, path, *request);
    } else {
        LoadUnchanged(run, writer, path, result);
        if (result.handle != -1) {
            return result;
        }
        encoded = EncodeImageFile(run.settings, path, {run.settings.DefaultImageEncode});
    }
    if (!encoded.bytes) {
        result.failure = std::move(encoded.failure);
        return result;
    }
    result.block = std::make_unique<EncodedBlock>(writer, std::move(*encoded.bytes));
    LoadRegistered(writer, result);
    return result;
}

}  // namespace engine
