#include "bitmap_embedding.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "deflate_stream.h"
#include "failure.h"
#include "icc_color_space.h"
#include "pdf_syntax.h"
#include "pdfwriter/pdf_writer.h"

namespace pdf {
namespace {

int Components(imaging::ColorSpace space) {
    switch (space) {
        case imaging::ColorSpace::kGray:
        case imaging::ColorSpace::kIndexed:
            return 1;
        case imaging::ColorSpace::kCmyk:
            return 4;
        case imaging::ColorSpace::kRgb:
            break;
    }
    return 3;
}

// The samples' colour space, ICC-based when the profile fits them (a palette's entries are
// RGB colours).
std::string ColorSpaceOf(ObjectWriter& writer, const imaging::Bitmap& bitmap,
                         std::span<const uint8_t> profile) {
    if (bitmap.space != imaging::ColorSpace::kIndexed) {
        return SampleColorSpace(writer, profile, Components(bitmap.space));
    }
    return "[/Indexed " + SampleColorSpace(writer, profile, 3) + " " +
           std::to_string(bitmap.palette.size() / 3 - 1) + " " + HexString(bitmap.palette) + "]";
}

// Samples in rows top to bottom.
struct Raster {
    std::span<const uint8_t> samples;
    size_t stride = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    int colors = 1;
    int bits = 8;
};

std::string ImageEntries(const Raster& raster, const std::string& space) {
    return "/Type /XObject /Subtype /Image /Width " + std::to_string(raster.width) + " /Height " +
           std::to_string(raster.height) + " /ColorSpace " + space + " /BitsPerComponent " +
           std::to_string(raster.bits);
}

// Writes rows with the PNG "Up" filter (each byte minus the byte above), which suits photographs
// and drawings alike, or unfiltered (7.4.4.4).
void WriteRaster(ObjectWriter& writer, uint32_t id, const std::string& entries,
                 const Raster& raster, bool filter) {
    DeflateStream stream(writer, id,
                         entries + " /DecodeParms <</Predictor 15 /Colors " +
                             std::to_string(raster.colors) + " /BitsPerComponent " +
                             std::to_string(raster.bits) + " /Columns " +
                             std::to_string(raster.width) + ">>");
    std::vector<uint8_t> row(raster.stride + 1);
    row[0] = filter ? 2 : 0;
    for (uint32_t y = 0; y < raster.height; ++y) {
        const uint8_t* current = raster.samples.data() + y * raster.stride;
        const uint8_t* above = y > 0 && filter ? current - raster.stride : nullptr;
        for (size_t i = 0; i < raster.stride; ++i) {
            row[i + 1] = above ? static_cast<uint8_t>(current[i] - above[i]) : current[i];
        }
        stream.Write(row);
    }
    stream.Finish();
}

bool IsOpaque(const imaging::Bitmap& bitmap) {
    return std::all_of(bitmap.alpha.begin(), bitmap.alpha.end(),
                       [](uint8_t value) { return value == 0xFF; });
}

uint32_t WriteSoftMask(ObjectWriter& writer, const imaging::Bitmap& bitmap) {
    const int bits = bitmap.bitsPerComponent == 16 ? 16 : 8;
    const Raster alpha{
        bitmap.alpha, bitmap.width * size_t(bits / 8), bitmap.width, bitmap.height, 1, bits};
    if (alpha.samples.size() < alpha.stride * alpha.height) {
        Fail(kErrorImage, "decoded alpha channel is incomplete");
    }
    const uint32_t id = writer.Allocate();
    WriteRaster(writer, id, ImageEntries(alpha, "/DeviceGray"), alpha, true);
    return id;
}

}  // namespace

uint32_t WriteBitmapImage(ObjectWriter& writer, const imaging::Bitmap& bitmap,
                          std::span<const uint8_t> iccProfile) {
    const Raster pixels{
        bitmap.samples,           bitmap.stride,          bitmap.width, bitmap.height,
        Components(bitmap.space), bitmap.bitsPerComponent};
    if (pixels.width == 0 || pixels.height == 0 ||
        pixels.samples.size() < pixels.stride * pixels.height) {
        Fail(kErrorImage, "decoded image is incomplete");
    }
    const size_t paletteEntries = bitmap.palette.size() / 3;
    if (bitmap.space == imaging::ColorSpace::kIndexed &&
        (paletteEntries == 0 || paletteEntries > 256)) {
        Fail(kErrorImage, "decoded palette is empty or too large");
    }
    std::string entries = ImageEntries(pixels, ColorSpaceOf(writer, bitmap, iccProfile));
    if (!bitmap.alpha.empty() && !IsOpaque(bitmap)) {
        entries += " /SMask " + Reference(WriteSoftMask(writer, bitmap));
    }
    const uint32_t id = writer.Allocate();
    WriteRaster(writer, id, entries, pixels, bitmap.space != imaging::ColorSpace::kIndexed);
    return id;
}

}  // namespace pdf
