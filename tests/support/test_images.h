#pragma once

// Image files made on the spot for the writer's tests, in the exact variants the pass-through
// paths must recognise: JPEG (through sample_files.h), PNG chunks as given and fax TIFFs. Part of
// the one test-image library with sample_files.h and sample_images.h.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace pdftest {

// Interleaved 8-bit samples, rows top to bottom.
struct Pixels {
    uint32_t width = 0;
    uint32_t height = 0;
    int channels = 3;
    std::vector<uint8_t> samples;

    uint8_t At(uint32_t x, uint32_t y, int channel) const {
        return samples[(size_t(y) * width + x) * channels + channel];
    }
};

// Smooth gradients with sharp blocks, different in every channel.
Pixels TestPattern(uint32_t width, uint32_t height, int channels);

struct JpegOptions {
    int quality = 90;
    bool progressive = false;
    int dpi = 0;  // 0: no resolution recorded
};
// Three channels give an RGB JPEG, one grey, four a CMYK JPEG with an Adobe marker whose
// samples are stored inverted (the convention that marker announces): pixels hold ink amounts.
std::string EncodeJpeg(const Pixels& pixels, const JpegOptions& options = {});

// The pixels of a JPEG file as libjpeg decodes them (grey or RGB).
Pixels DecodeJpeg(const std::string& jpeg);

struct PngOptions {
    int colorType = 2;  // 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
    int depth = 8;
    bool interlaced = false;
    std::vector<uint8_t> palette{};       // RGB triples
    std::vector<uint8_t> transparency{};  // raw tRNS chunk
};
// rows: packed samples, ceil(width * channels * depth / 8) bytes per row (16-bit big-endian).
std::string EncodePng(uint32_t width, uint32_t height, const std::vector<uint8_t>& rows,
                      const PngOptions& options);

struct FaxOptions {
    int compression = 4;  // COMPRESSION_CCITTFAX4, or 3 for Group 3
    uint32_t group3Options = 0;
    int photometric = 0;        // 0 MinIsWhite, 1 MinIsBlack
    int fillOrder = 1;          // 1 most significant bit first, 2 least
    uint32_t rowsPerStrip = 0;  // 0: one strip
};
// A one-bit TIFF of ink: bit 1 in inked means black, rows packed most significant bit first.
void WriteFaxTiff(const std::filesystem::path& path, uint32_t width, uint32_t height,
                  const std::vector<uint8_t>& inked, const FaxOptions& options);

}  // namespace pdftest
