#include <png.h>
#include <zlib.h>

#include <cstring>

#include "sample_files.h"

namespace samples {
namespace {

using imaging::Bitmap;
using imaging::ColorSpace;

void Append(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<File*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

int ColorType(const Bitmap& picture) {
    bool alpha = !picture.alpha.empty();
    switch (picture.space) {
        case ColorSpace::kIndexed:
            return PNG_COLOR_TYPE_PALETTE;
        case ColorSpace::kRgb:
            return alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
        default:
            return alpha ? PNG_COLOR_TYPE_GRAY_ALPHA : PNG_COLOR_TYPE_GRAY;
    }
}

// Rows as PNG stores them: colour samples, then the alpha sample of each pixel.
std::vector<File> Rows(const Bitmap& picture) {
    unsigned colors = picture.space == ColorSpace::kRgb ? 3 : 1;
    unsigned bytes = picture.bitsPerComponent == 16 ? 2 : 1;
    bool alpha = !picture.alpha.empty() && picture.space != ColorSpace::kIndexed;
    std::vector<File> rows;
    for (uint32_t y = 0; y < picture.height; ++y) {
        const uint8_t* in = picture.samples.data() + y * picture.stride;
        if (!alpha) {
            rows.emplace_back(in, in + picture.stride);
            continue;
        }
        File row;
        for (uint32_t x = 0; x < picture.width; ++x) {
            row.insert(row.end(), in + x * colors * bytes, in + (x + 1) * colors * bytes);
            const uint8_t* a = picture.alpha.data() + (size_t{y} * picture.width + x) * bytes;
            row.insert(row.end(), a, a + bytes);
        }
        rows.push_back(row);
    }
    return rows;
}

void SetTransparency(png_structp png, png_infop info, const Bitmap& picture,
                     const PngOptions& options) {
    if (options.transparentIndexFrom >= 0) {
        png_byte alpha[256];
        std::memset(alpha, 0, sizeof alpha);
        std::memset(alpha, 255, static_cast<size_t>(options.transparentIndexFrom));
        png_set_tRNS(png, info, alpha, static_cast<int>(picture.palette.size() / 3), nullptr);
    }
    if (options.colorKey) {
        png_color_16 key{};
        const uint8_t* s = picture.samples.data();
        bool sixteen = picture.bitsPerComponent == 16;
        auto sample = [&](int i) { return sixteen ? s[2 * i] << 8 | s[2 * i + 1] : s[i]; };
        if (picture.space == ColorSpace::kGray) {
            key.gray = static_cast<png_uint_16>(
                picture.bitsPerComponent < 8 ? s[0] >> (8 - picture.bitsPerComponent) : sample(0));
        } else {
            key = {0, static_cast<png_uint_16>(sample(0)), static_cast<png_uint_16>(sample(1)),
                   static_cast<png_uint_16>(sample(2)), 0};
        }
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
}

}  // namespace

File MakePng(const Bitmap& picture, const PngOptions& options) {
    File out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, Append, nullptr);
    png_set_IHDR(png, info, picture.width, picture.height, picture.bitsPerComponent,
                 ColorType(picture), options.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (picture.space == ColorSpace::kIndexed) {
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(picture.palette.data()),
                     static_cast<int>(picture.palette.size() / 3));
    }
    SetTransparency(png, info, picture, options);
    if (options.pixelsPerMetre) {
        png_set_pHYs(png, info, options.pixelsPerMetre, options.pixelsPerMetre,
                     PNG_RESOLUTION_METER);
    }
    std::vector<File> rows = Rows(picture);
    std::vector<png_bytep> pointers;
    for (File& row : rows) {
        pointers.push_back(row.data());
    }
    png_write_info(png, info);
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::string BigEndianBytes(uint32_t value) {
    return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

std::string PngChunk(const std::string& type, const std::string& data) {
    const std::string covered = type + data;
    const uLong crc =
        crc32(0, reinterpret_cast<const Bytef*>(covered.data()), static_cast<uInt>(covered.size()));
    return BigEndianBytes(static_cast<uint32_t>(data.size())) + covered +
           BigEndianBytes(static_cast<uint32_t>(crc));
}

}  // namespace samples
