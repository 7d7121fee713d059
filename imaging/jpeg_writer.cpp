// JPEG writing over libjpeg-turbo: grey stays one channel, CMYK is stored the Adobe way
// (inverted, with the APP14 marker libjpeg adds), the resolution goes into the JFIF header.

#include <algorithm>

#include "bitmap_layout.h"
#include "formats.h"
#include "icc_profile.h"
#include "jpeg_guard.h"
#include "pixel_convert.h"

namespace imaging {
namespace {

constexpr size_t kFirstChunk = 1 << 16;
constexpr int kRowsPerWrite = 16;

// A libjpeg destination that grows a vector; growth failures become libjpeg errors, so no
// exception reaches libjpeg's frames.
struct VectorDestination {
    jpeg_destination_mgr base;
    std::vector<uint8_t>* out;
};

bool ResizeQuietly(std::vector<uint8_t>& bytes, size_t size) noexcept {
    try {
        bytes.resize(size);
        return true;
    } catch (...) {
        return false;
    }
}

VectorDestination* DestinationOf(jpeg_compress_struct* cinfo) {
    return reinterpret_cast<VectorDestination*>(cinfo->dest);
}

void GrowDestination(jpeg_compress_struct* cinfo, size_t used) {
    std::vector<uint8_t>& out = *DestinationOf(cinfo)->out;
    size_t size = std::max(kFirstChunk, out.size() * 2);
    if (!ResizeQuietly(out, size)) {
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    }
    cinfo->dest->next_output_byte = out.data() + used;
    cinfo->dest->free_in_buffer = out.size() - used;
}

void InitDestination(jpeg_compress_struct* cinfo) {
    GrowDestination(cinfo, 0);
}

boolean EmptyDestination(jpeg_compress_struct* cinfo) {
    GrowDestination(cinfo, DestinationOf(cinfo)->out->size());
    return TRUE;
}

void TermDestination(jpeg_compress_struct* cinfo) {
    std::vector<uint8_t>& out = *DestinationOf(cinfo)->out;
    out.resize(out.size() - cinfo->dest->free_in_buffer);
}

struct Job {
    jpeg_compress_struct* cinfo;
    VectorDestination* destination;
    const Bitmap* bitmap;
    const EncodeOptions* options;
};

J_COLOR_SPACE InputSpace(ColorSpace space) {
    switch (space) {
        case ColorSpace::kGray:
            return JCS_GRAYSCALE;
        case ColorSpace::kCmyk:
            return JCS_CMYK;
        default:
            return JCS_RGB;
    }
}

void SetUpStep(void* context) {
    auto* job = static_cast<Job*>(context);
    jpeg_compress_struct* cinfo = job->cinfo;
    jpeg_create_compress(cinfo);
    cinfo->dest = &job->destination->base;
    cinfo->image_width = job->bitmap->width;
    cinfo->image_height = job->bitmap->height;
    cinfo->input_components = static_cast<int>(ComponentCount(job->bitmap->space));
    cinfo->in_color_space = InputSpace(job->bitmap->space);
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, std::clamp(job->options->jpegQuality, 0, 100), TRUE);
    cinfo->write_JFIF_header = TRUE;
    cinfo->density_unit = 1;
    cinfo->X_density = static_cast<UINT16>(std::min<uint32_t>(job->options->resolution.x, 65535));
    cinfo->Y_density = static_cast<UINT16>(std::min<uint32_t>(job->options->resolution.y, 65535));
}

void CompressStep(void* context) {
    auto* job = static_cast<Job*>(context);
    jpeg_compress_struct* cinfo = job->cinfo;
    const Bitmap& bitmap = *job->bitmap;
    jpeg_start_compress(cinfo, TRUE);
    const std::span<const uint8_t> profile = job->options->iccProfile;
    if (ProfileDescribes(profile, bitmap.space)) {
        jpeg_write_icc_profile(cinfo, profile.data(), static_cast<unsigned>(profile.size()));
    }
    JSAMPROW rows[kRowsPerWrite];
    while (cinfo->next_scanline < cinfo->image_height) {
        JDIMENSION first = cinfo->next_scanline;
        JDIMENSION count = std::min<JDIMENSION>(cinfo->image_height - first, kRowsPerWrite);
        for (JDIMENSION i = 0; i < count; ++i) {
            rows[i] = const_cast<uint8_t*>(bitmap.samples.data() + (first + i) * bitmap.stride);
        }
        jpeg_write_scanlines(cinfo, rows, count);
    }
    jpeg_finish_compress(cinfo);
}

// What libjpeg can take: 8-bit grey, RGB or CMYK without alpha, CMYK inverted. The bitmap
// itself when it already is that, else a converted copy kept in converted.
const Bitmap& JpegLayout(const Bitmap& bitmap, Bitmap& converted) {
    bool ready = bitmap.bitsPerComponent == 8 && bitmap.alpha.empty() &&
                 (bitmap.space == ColorSpace::kGray || bitmap.space == ColorSpace::kRgb);
    if (ready) {
        return bitmap;
    }
    converted = ComposeOverWhite(ToDirectColor(bitmap, false));
    if (converted.space == ColorSpace::kCmyk) {
        for (uint8_t& sample : converted.samples) {
            sample = static_cast<uint8_t>(255 - sample);
        }
    }
    return converted;
}

// Members are released even when the constructor throws.
struct Compressor {
    JpegErrorManager errors;
    jpeg_compress_struct cinfo{};
    VectorDestination destination{};
    Compressor() = default;
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
    ~Compressor() { jpeg_destroy_compress(&cinfo); }
};

}  // namespace

std::vector<uint8_t> WriteJpeg(const Bitmap& bitmap, const EncodeOptions& options) {
    Bitmap converted;
    const Bitmap& layout = JpegLayout(bitmap, converted);
    std::vector<uint8_t> out;
    Compressor compressor;
    InstallJpegErrorManager(reinterpret_cast<jpeg_common_struct*>(&compressor.cinfo),
                            &compressor.errors);
    compressor.destination = {{nullptr, 0, InitDestination, EmptyDestination, TermDestination},
                              &out};
    Job job{&compressor.cinfo, &compressor.destination, &layout, &options};
    auto* common = reinterpret_cast<jpeg_common_struct*>(&compressor.cinfo);
    RunJpegStep(common, SetUpStep, &job);
    RunJpegStep(common, CompressStep, &job);
    return out;
}

}  // namespace imaging
