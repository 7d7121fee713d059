#include "test_images.h"

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include <cstdio>
#include <stdexcept>

#include "sample_files.h"

namespace pdftest {

Pixels TestPattern(uint32_t width, uint32_t height, int channels) {
    Pixels pixels{width, height, channels, std::vector<uint8_t>(size_t(width) * height * channels)};
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const bool block = ((x / 8) + (y / 8)) % 3 == 0;
            for (int c = 0; c < channels; ++c) {
                const uint32_t ramp = c % 2 == 0 ? x * 255 / width : y * 255 / height;
                pixels.samples[(size_t(y) * width + x) * channels + c] =
                    static_cast<uint8_t>(block ? 255 - ramp / (c + 1) : ramp);
            }
        }
    }
    return pixels;
}

std::string EncodeJpeg(const Pixels& pixels, const JpegOptions& options) {
    imaging::Bitmap picture;
    picture.width = pixels.width;
    picture.height = pixels.height;
    picture.space = pixels.channels == 1   ? imaging::ColorSpace::kGray
                    : pixels.channels == 4 ? imaging::ColorSpace::kCmyk
                                           : imaging::ColorSpace::kRgb;
    picture.stride = size_t(pixels.width) * pixels.channels;
    picture.samples = pixels.samples;
    const samples::File file = samples::MakeJpeg(
        picture, {.progressive = options.progressive,
                  .jfifUnit = options.dpi > 0 ? 1 : 0,
                  .jfifDensity = static_cast<uint16_t>(options.dpi > 0 ? options.dpi : 0),
                  .quality = options.quality});
    return std::string(file.begin(), file.end());
}

Pixels DecodeJpeg(const std::string& jpeg) {
    jpeg_decompress_struct decoder{};
    jpeg_error_mgr errors{};
    decoder.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, reinterpret_cast<const unsigned char*>(jpeg.data()), jpeg.size());
    jpeg_read_header(&decoder, TRUE);
    jpeg_start_decompress(&decoder);
    Pixels pixels{decoder.output_width, decoder.output_height, decoder.output_components, {}};
    pixels.samples.resize(size_t(pixels.width) * pixels.height * pixels.channels);
    while (decoder.output_scanline < decoder.output_height) {
        JSAMPROW row =
            &pixels.samples[size_t(decoder.output_scanline) * pixels.width * pixels.channels];
        jpeg_read_scanlines(&decoder, &row, 1);
    }
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    return pixels;
}

namespace {

void AppendToString(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

}  // namespace

std::string EncodePng(uint32_t width, uint32_t height, const std::vector<uint8_t>& rows,
                      const PngOptions& options) {
    std::string bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &bytes, AppendToString, nullptr);
    png_set_IHDR(png, info, width, height, options.depth, options.colorType,
                 options.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!options.palette.empty()) {
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(options.palette.data()),
                     static_cast<int>(options.palette.size() / 3));
    }
    if (!options.transparency.empty()) {
        const auto& t = options.transparency;
        png_color_16 key{};
        key.gray = static_cast<png_uint_16>(t[0] << 8 | t[1]);
        if (t.size() == 6) {
            key.red = key.gray;
            key.green = static_cast<png_uint_16>(t[2] << 8 | t[3]);
            key.blue = static_cast<png_uint_16>(t[4] << 8 | t[5]);
        }
        png_set_tRNS(png, info, options.colorType == 3 ? t.data() : nullptr,
                     static_cast<int>(t.size()), options.colorType == 3 ? nullptr : &key);
    }
    png_write_info(png, info);
    const size_t stride = rows.size() / height;
    std::vector<png_bytep> pointers(height);
    for (uint32_t y = 0; y < height; ++y) {
        pointers[y] = const_cast<png_bytep>(&rows[y * stride]);
    }
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

void WriteFaxTiff(const std::filesystem::path& path, uint32_t width, uint32_t height,
                  const std::vector<uint8_t>& inked, const FaxOptions& options) {
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    if (!tiff) {
        throw std::runtime_error("cannot write " + path.string());
    }
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION,
                 options.compression == 3 ? COMPRESSION_CCITTFAX3 : COMPRESSION_CCITTFAX4);
    if (options.compression == 3) {
        TIFFSetField(tiff, TIFFTAG_GROUP3OPTIONS, options.group3Options);
    }
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, options.photometric);
    TIFFSetField(tiff, TIFFTAG_FILLORDER, options.fillOrder);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, options.rowsPerStrip ? options.rowsPerStrip : height);
    const size_t stride = (width + 7) / 8;
    std::vector<uint8_t> row(stride);
    for (uint32_t y = 0; y < height; ++y) {
        for (size_t i = 0; i < stride; ++i) {
            const uint8_t ink = inked[y * stride + i];
            row[i] = options.photometric == 0 ? ink : static_cast<uint8_t>(~ink);
        }
        TIFFWriteScanline(tiff, row.data(), y, 0);
    }
    TIFFClose(tiff);
}

}  // namespace pdftest
