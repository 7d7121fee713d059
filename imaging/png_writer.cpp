// PNG writing over libpng: depths and palettes kept, tRNS for palette transparency, an alpha
// channel otherwise; CMYK goes out as RGB; the resolution goes into pHYs.

#include <algorithm>
#include <cstring>

#include "bitmap_layout.h"
#include "formats.h"
#include "icc_profile.h"
#include "pixel_convert.h"
#include "png_guard.h"
#include "resolution.h"
#include "size_limits.h"

namespace imaging {
namespace {

void AppendToVector(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    bool grown = false;
    try {
        out->insert(out->end(), data, data + length);
        grown = true;
    } catch (...) {
    }
    if (!grown) {
        StopPng(png, "out of memory");
    }
}

void FlushNothing(png_structp) {}

// One alpha value per palette entry when every pixel of an entry has the same one.
std::optional<std::vector<uint8_t>> PaletteAlpha(const Bitmap& bitmap) {
    std::vector<int> alpha(256, -1);
    for (uint32_t y = 0; y < bitmap.height; ++y) {
        const uint8_t* row = bitmap.samples.data() + y * bitmap.stride;
        for (uint32_t x = 0; x < bitmap.width; ++x) {
            int& entry = alpha[PackedSample(row, x, bitmap.bitsPerComponent)];
            int value = bitmap.alpha[size_t{y} * bitmap.width + x];
            if (entry >= 0 && entry != value) {
                return std::nullopt;
            }
            entry = value;
        }
    }
    std::vector<uint8_t> table(bitmap.palette.size() / 3);
    for (size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<uint8_t>(alpha[i] < 0 ? 255 : alpha[i]);
    }
    return table;
}

// How a bitmap goes into a PNG: the bitmap itself or a converted copy, and the alpha plane as
// an alpha channel or (for palettes whose entries each have one alpha value) as tRNS.
struct PngPlan {
    const Bitmap* bitmap;
    bool alphaChannel;
    std::vector<uint8_t> paletteAlpha;
};

PngPlan Plan(const Bitmap& source, Bitmap& converted) {
    if (source.space == ColorSpace::kCmyk) {
        converted = CmykToRgb(source);
        return {&converted, !converted.alpha.empty(), {}};
    }
    if (source.alpha.empty() ||
        (source.space != ColorSpace::kIndexed && source.bitsPerComponent >= 8)) {
        return {&source, !source.alpha.empty(), {}};
    }
    if (source.space == ColorSpace::kIndexed) {
        if (std::optional<std::vector<uint8_t>> table = PaletteAlpha(source)) {
            return {&source, false, std::move(*table)};
        }
        converted = ToDirectColor(source, true);
        return {&converted, true, {}};
    }
    converted = UnpackToEightBit(source);  // grey with alpha needs 8 or 16 bits
    return {&converted, true, {}};
}

int ColorType(const PngPlan& plan) {
    if (plan.bitmap->space == ColorSpace::kIndexed) {
        return PNG_COLOR_TYPE_PALETTE;
    }
    int type = plan.bitmap->space == ColorSpace::kRgb ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_GRAY;
    return plan.alphaChannel ? type | PNG_COLOR_MASK_ALPHA : type;
}

struct Job {
    png_structp png;
    png_infop info;
    const PngPlan* plan;
    const EncodeOptions* options;
    uint8_t* rowBuffer;  // one interleaved row, for bitmaps with an alpha plane
};

void HeaderStep(void* context) {
    auto* job = static_cast<Job*>(context);
    const Bitmap& bitmap = *job->plan->bitmap;
    const std::vector<uint8_t>& paletteAlpha = job->plan->paletteAlpha;
    png_set_IHDR(job->png, job->info, bitmap.width, bitmap.height, bitmap.bitsPerComponent,
                 ColorType(*job->plan), PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (bitmap.space == ColorSpace::kIndexed) {
        png_set_PLTE(job->png, job->info, reinterpret_cast<png_const_colorp>(bitmap.palette.data()),
                     static_cast<int>(bitmap.palette.size() / 3));
    }
    if (!paletteAlpha.empty()) {
        png_set_tRNS(job->png, job->info, paletteAlpha.data(),
                     static_cast<int>(paletteAlpha.size()), nullptr);
    }
    const std::span<const uint8_t> profile = job->options->iccProfile;
    if (ProfileDescribes(profile, bitmap.space)) {
        // A profile libpng finds fault with is left out with a warning, not a failure.
        png_set_benign_errors(job->png, 1);
        png_set_iCCP(job->png, job->info, "ICC profile", PNG_COMPRESSION_TYPE_BASE, profile.data(),
                     static_cast<png_uint_32>(profile.size()));
    }
    const Resolution& resolution = job->options->resolution;
    png_set_pHYs(job->png, job->info, PixelsPerMetreFromDpi(resolution.x),
                 PixelsPerMetreFromDpi(resolution.y), PNG_RESOLUTION_METER);
    png_write_info(job->png, job->info);
}

// Colour samples followed by the alpha sample, pixel by pixel.
const uint8_t* InterleavedRow(const Bitmap& bitmap, uint32_t y, uint8_t* out) {
    unsigned bytes = AlphaBytes(bitmap);
    size_t colorBytes = ComponentCount(bitmap.space) * bytes;
    const uint8_t* colors = bitmap.samples.data() + y * bitmap.stride;
    const uint8_t* alpha = AlphaRow(bitmap, y);
    for (uint32_t x = 0; x < bitmap.width; ++x) {
        std::memcpy(out + x * (colorBytes + bytes), colors + x * colorBytes, colorBytes);
        std::memcpy(out + x * (colorBytes + bytes) + colorBytes, alpha + x * bytes, bytes);
    }
    return out;
}

void RowsStep(void* context) {
    auto* job = static_cast<Job*>(context);
    const Bitmap& bitmap = *job->plan->bitmap;
    for (uint32_t y = 0; y < bitmap.height; ++y) {
        const uint8_t* row = job->plan->alphaChannel ? InterleavedRow(bitmap, y, job->rowBuffer)
                                                     : bitmap.samples.data() + y * bitmap.stride;
        png_write_row(job->png, row);
    }
    png_write_end(job->png, nullptr);
}

// A member, so it is released even when the caller throws.
struct WriteHandles {
    png_structp png = nullptr;
    png_infop info = nullptr;
    WriteHandles() = default;
    WriteHandles(const WriteHandles&) = delete;
    WriteHandles& operator=(const WriteHandles&) = delete;
    ~WriteHandles() { png_destroy_write_struct(&png, &info); }
};

}  // namespace

std::vector<uint8_t> WritePng(const Bitmap& source, const EncodeOptions& options) {
    Bitmap converted;
    PngPlan plan = Plan(source, converted);
    const Bitmap& bitmap = *plan.bitmap;
    std::vector<uint8_t> rowBuffer;
    if (plan.alphaChannel) {
        rowBuffer.resize(
            RowBytes(bitmap.width, ComponentCount(bitmap.space) + 1, bitmap.bitsPerComponent));
    }
    std::vector<uint8_t> out;
    PngErrorRecord errors{"cannot write PNG", {}};
    WriteHandles handles;
    handles.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &errors, OnPngError, OnPngWarning);
    handles.info = handles.png ? png_create_info_struct(handles.png) : nullptr;
    if (!handles.info) {
        Fail("out of memory");
    }
    png_set_write_fn(handles.png, &out, AppendToVector, FlushNothing);
    Job job{handles.png, handles.info, &plan, &options, rowBuffer.data()};
    RunPngStep(handles.png, HeaderStep, &job);
    RunPngStep(handles.png, RowsStep, &job);
    return out;
}

}  // namespace imaging
