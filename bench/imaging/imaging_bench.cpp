// The programs the imaging benchmark times, one per subcommand:
//   synth WIDTH HEIGHT OUT.ppm      a photo-like test picture (gradients, texture, edges)
//   reencode IN OUT QUALITY         decode any image and write it as JPEG at QUALITY
//   to-png IN OUT                   decode any image and write it as PNG
//   decode IN                       decode any image (all pixels) and discard it
//   libpng-read IN.png              libpng's own read loop, row by row, for comparison

#include <png.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "imaging/image.h"
#include "platform/text.h"

namespace {

int Synthesize(int width, int height, const char* path) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << ' ' << height << "\n255\n";
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            double wave = 40 * std::sin(x / 37.0) * std::cos(y / 53.0);
            bool edge = ((x / 180) + (y / 140)) % 5 == 0;
            for (int c = 0; c < 3; ++c) {
                double base = 255.0 *
                              (c == 0   ? x
                               : c == 1 ? y
                                        : x + y) /
                              (c == 2 ? width + height
                               : c    ? height
                                      : width);
                double value = base * 0.7 + wave + (noise >> (24 + c)) % 24 + (edge ? 60 : 0);
                row[3 * x + c] = static_cast<unsigned char>(std::fmin(255, std::fmax(0, value)));
            }
        }
        out.write(reinterpret_cast<const char*>(row.data()),
                  static_cast<std::streamsize>(row.size()));
    }
    return out ? 0 : 1;
}

bool LoadImage(imaging::Image& image, const char* path) {
    if (!image.Load(platform::FromUtf8(path))) {
        std::cerr << path << ": " << image.GetLastError() << '\n';
        return false;
    }
    return true;
}

int Encode(const char* in, const char* out, uint32_t format, int quality) {
    imaging::Image image;
    if (!LoadImage(image, in)) {
        return 1;
    }
    image.SetJpegQuality(static_cast<uint8_t>(quality));
    std::vector<uint8_t> block;
    if (!image.Encode(block, format)) {
        std::cerr << image.GetLastError() << '\n';
        return 1;
    }
    std::ofstream(out, std::ios::binary)
        .write(reinterpret_cast<const char*>(block.data()),
               static_cast<std::streamsize>(block.size()));
    return 0;
}

int Decode(const char* in) {
    imaging::Image image;
    return LoadImage(image, in) && !image.GetBitmap().samples.empty() ? 0 : 1;
}

int LibpngRead(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (!file) {
        return 1;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        return 1;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    std::vector<unsigned char> pixels(png_get_rowbytes(png, info) *
                                      png_get_image_height(png, info));
    for (png_uint_32 y = 0; y < png_get_image_height(png, info); ++y) {
        png_read_row(png, pixels.data() + y * png_get_rowbytes(png, info), nullptr);
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "synth" && argc == 5) {
        return Synthesize(std::stoi(argv[2]), std::stoi(argv[3]), argv[4]);
    }
    if (command == "reencode" && argc == 5) {
        return Encode(argv[2], argv[3], imaging::kFormatJpeg, std::stoi(argv[4]));
    }
    if (command == "to-png" && argc == 4) {
        return Encode(argv[2], argv[3], imaging::kFormatPng, 0);
    }
    if (command == "decode" && argc == 3) {
        return Decode(argv[2]);
    }
    if (command == "libpng-read" && argc == 3) {
        return LibpngRead(argv[2]);
    }
    std::cerr << "usage: imaging_bench synth|reencode|to-png|decode|libpng-read ...\n";
    return 2;
}
