#pragma once

// Builds test pictures and files in every variant the readers must handle, straight through
// the format libraries (or byte by byte for BMP and the hand-made structures), so the readers
// are checked against files they did not write themselves.

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/image.h"

namespace samples {

using File = std::vector<uint8_t>;

// A deterministic picture: smooth ramps with a few hard edges. Indexed pictures get a palette
// of 2^bits colours; 16-bit samples are big-endian like every Bitmap.
imaging::Bitmap Pattern(uint32_t width, uint32_t height, imaging::ColorSpace space,
                        uint8_t bits = 8);

// Gives the picture an alpha plane: a transparent left quarter, half-transparent second
// quarter, opaque elsewhere.
void AddAlpha(imaging::Bitmap& picture);

// Largest difference between two bitmaps' samples (same layout required; 255 when not).
int MaxDifference(const imaging::Bitmap& a, const imaging::Bitmap& b);
// An 8-bit palette picture with its palette looked up.
imaging::Bitmap ToRgb(const imaging::Bitmap& indexed);

// Mean absolute difference of 8-bit samples.
double MeanDifference(const imaging::Bitmap& a, const imaging::Bitmap& b);

struct JpegOptions {
    bool progressive = false;
    bool adobeCmyk = true;  // CMYK pictures: stored inverted with an Adobe marker
    int jfifUnit = 0;       // 0 none, 1 per inch, 2 per centimetre
    uint16_t jfifDensity = 0;
    File exif = {};  // APP1 payload after "Exif\0\0" (a TIFF structure)
    int quality = 95;
    int restartRows = 0;  // a restart marker after every this many MCU rows; 0: none
};
// picture: 8-bit grey, RGB or CMYK (ink amounts).
File MakeJpeg(const imaging::Bitmap& picture, const JpegOptions& options = {});

struct BmpOptions {
    unsigned headerSize = 40;  // 12, 40, 56, 108 or 124
    bool topDown = false;
    bool bareDib = false;       // no 14-byte file header
    bool bitFields565 = false;  // 16-bit pictures: 5-6-5 masks instead of 5-5-5
    bool alphaMask = false;     // 32-bit pictures: an alpha mask (needs headerSize >= 56)
    bool rle = false;           // 8-bit: RLE8, 4-bit: RLE4
    int32_t pixelsPerMetre = 0;
};
// picture: indexed with 1, 2, 4 or 8 bits, or 8-bit RGB written with 16, 24 or 32 bits.
File MakeBmp(const imaging::Bitmap& picture, const BmpOptions& options = {}, unsigned rgbBits = 24);

struct GifOptions {
    bool interlace = false;
    int transparentIndex = -1;
    int screenWidth = 0;  // 0: the picture's size
    int screenHeight = 0;
    int left = 0;
    int top = 0;
    bool localColorTable = false;
    bool secondFrame = false;
};
// picture: 8-bit indexed.
File MakeGif(const imaging::Bitmap& picture, const GifOptions& options = {});

struct PngOptions {
    bool interlaced = false;
    int transparentIndexFrom = -1;  // palette: entries from here on are transparent
    bool colorKey = false;          // grey/RGB: the first pixel's colour is transparent
    uint32_t pixelsPerMetre = 0;
};
// picture: any Bitmap layout PNG can hold; an alpha plane becomes an alpha channel.
File MakePng(const imaging::Bitmap& picture, const PngOptions& options = {});

// The four bytes of value, most significant first, as PNG and other formats store numbers.
std::string BigEndianBytes(uint32_t value);
// One PNG chunk built by hand: length, type, data and the CRC over type and data.
std::string PngChunk(const std::string& type, const std::string& data);

struct TiffOptions {
    uint16_t compression = 1;  // COMPRESSION_* of tiff.h
    bool minIsWhite = false;
    bool tiled = false;
    bool premultipliedAlpha = false;
    bool separatePlanes = false;
    float xResolution = 0;  // 0: no resolution tags
    float yResolution = 0;
    uint16_t resolutionUnit = 2;
    std::string make = {};  // the Make tag, when not empty
};
// picture: grey, RGB, CMYK or indexed, with an optional alpha plane as an extra sample.
File MakeTiff(const imaging::Bitmap& picture, const TiffOptions& options = {});

// An uncompressed TIFF with bits (9 to 16) bits per sample, each 8-bit sample of picture (grey,
// RGB or CMYK) scaled to that depth; 16-bit CMYK included, which MakeTiff cannot write.
File MakeDeepTiff(const imaging::Bitmap& picture, unsigned bits);

// An MNG holding each picture as an embedded PNG frame, in order.
File MakeMng(const std::vector<imaging::Bitmap>& frames);

// A JBIG file through JBIG-KIT's encoder. picture: 1-bit grey (one plane) or 8-bit grey (eight
// planes in Gray code).
File MakeJbig(const imaging::Bitmap& picture);

// A minimal DNG: 16-bit samples of an RGGB mosaic of the RGB picture.
File MakeDng(const imaging::Bitmap& rgb);

// A little-endian TIFF-structured block: a header and one directory with the given entries.
struct TiffEntry {
    uint16_t tag;
    uint16_t type;                 // 3 SHORT, 4 LONG, 5 RATIONAL, 2 ASCII, 1 BYTE
    std::vector<uint32_t> values;  // rationals: numerator, denominator pairs; ASCII: characters
};
File MakeTiffStructure(std::vector<TiffEntry> entries, const File& trailingData = {});

// The bytes of a string, for text files and hand-made headers.
File BytesOf(const std::string& text);

}  // namespace samples
