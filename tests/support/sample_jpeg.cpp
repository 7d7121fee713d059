#include <cstdlib>

// jpeglib.h needs FILE and size_t declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include "sample_files.h"

namespace samples {
namespace {

using imaging::Bitmap;
using imaging::ColorSpace;

J_COLOR_SPACE InputSpace(const Bitmap& picture) {
    return picture.space == ColorSpace::kGray   ? JCS_GRAYSCALE
           : picture.space == ColorSpace::kCmyk ? JCS_CMYK
                                                : JCS_RGB;
}

// The samples as libjpeg should store them: CMYK inverted when an Adobe marker says so.
File Samples(const Bitmap& picture, const JpegOptions& options) {
    File samples = picture.samples;
    if (picture.space == ColorSpace::kCmyk && options.adobeCmyk) {
        for (uint8_t& sample : samples) {
            sample = static_cast<uint8_t>(255 - sample);
        }
    }
    return samples;
}

void Configure(jpeg_compress_struct& cinfo, const Bitmap& picture, const JpegOptions& options) {
    cinfo.image_width = picture.width;
    cinfo.image_height = picture.height;
    cinfo.input_components = picture.space == ColorSpace::kRgb    ? 3
                             : picture.space == ColorSpace::kCmyk ? 4
                                                                  : 1;
    cinfo.in_color_space = InputSpace(picture);
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (options.progressive) {
        jpeg_simple_progression(&cinfo);
    }
    cinfo.write_Adobe_marker = picture.space == ColorSpace::kCmyk && options.adobeCmyk;
    cinfo.write_JFIF_header = picture.space != ColorSpace::kCmyk;
    cinfo.density_unit = static_cast<UINT8>(options.jfifUnit);
    cinfo.X_density = cinfo.Y_density = options.jfifDensity ? options.jfifDensity : 1;
    cinfo.restart_in_rows = options.restartRows;
}

}  // namespace

File MakeJpeg(const Bitmap& picture, const JpegOptions& options) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    Configure(cinfo, picture, options);
    jpeg_start_compress(&cinfo, TRUE);
    if (!options.exif.empty()) {
        File marker = {'E', 'x', 'i', 'f', 0, 0};
        marker.insert(marker.end(), options.exif.begin(), options.exif.end());
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, marker.data(),
                          static_cast<unsigned>(marker.size()));
    }
    File samples = Samples(picture, options);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = samples.data() + cinfo.next_scanline * picture.stride;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    File out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

}  // namespace samples
