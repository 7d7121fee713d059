#include <tiffio.h>

#include <cstring>
#include <sstream>
#include <tiffio.hxx>

#include "sample_files.h"

namespace samples {
namespace {

using imaging::Bitmap;
using imaging::ColorSpace;

unsigned Colors(const Bitmap& picture) {
    return picture.space == ColorSpace::kRgb ? 3 : picture.space == ColorSpace::kCmyk ? 4 : 1;
}

uint16_t Photometric(const Bitmap& picture, const TiffOptions& options) {
    switch (picture.space) {
        case ColorSpace::kRgb:
            return options.compression == COMPRESSION_JPEG ? PHOTOMETRIC_YCBCR : PHOTOMETRIC_RGB;
        case ColorSpace::kCmyk:
            return PHOTOMETRIC_SEPARATED;
        case ColorSpace::kIndexed:
            return PHOTOMETRIC_PALETTE;
        default:
            return options.minIsWhite ? PHOTOMETRIC_MINISWHITE : PHOTOMETRIC_MINISBLACK;
    }
}

void SetFields(TIFF* tiff, const Bitmap& picture, const TiffOptions& options) {
    bool alpha = !picture.alpha.empty();
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, picture.width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, picture.height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, picture.bitsPerComponent);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, Colors(picture) + (alpha ? 1 : 0));
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, Photometric(picture, options));
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG,
                 options.separatePlanes ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, options.compression);
    if (options.compression == COMPRESSION_JPEG) {
        TIFFSetField(tiff, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
    }
    if (alpha) {
        uint16_t type =
            options.premultipliedAlpha ? EXTRASAMPLE_ASSOCALPHA : EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &type);
    }
    if (options.xResolution > 0) {
        TIFFSetField(tiff, TIFFTAG_XRESOLUTION, options.xResolution);
        TIFFSetField(tiff, TIFFTAG_YRESOLUTION,
                     options.yResolution > 0 ? options.yResolution : options.xResolution);
        TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, options.resolutionUnit);
    }
    if (!options.make.empty()) {
        TIFFSetField(tiff, TIFFTAG_MAKE, options.make.c_str());
    }
    if (options.tiled) {
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, 16);
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, 16);
    } else {
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 16);
    }
}

void SetColorMap(TIFF* tiff, const Bitmap& picture) {
    size_t count = size_t{1} << picture.bitsPerComponent;
    std::vector<uint16_t> map(3 * count, 0);
    for (size_t i = 0; i < count && 3 * i + 2 < picture.palette.size(); ++i) {
        for (size_t c = 0; c < 3; ++c) {
            map[c * count + i] = static_cast<uint16_t>(picture.palette[3 * i + c] * 257);
        }
    }
    TIFFSetField(tiff, TIFFTAG_COLORMAP, map.data(), map.data() + count, map.data() + 2 * count);
}

unsigned Sample(const uint8_t* data, size_t index, bool sixteen) {
    return sixteen ? data[2 * index] << 8 | data[2 * index + 1] : data[index];
}

void Store(uint8_t* out, size_t index, unsigned value, bool sixteen) {
    if (sixteen) {
        uint16_t host = static_cast<uint16_t>(value);
        std::memcpy(out + 2 * index, &host, 2);
    } else {
        out[index] = static_cast<uint8_t>(value);
    }
}

// One row as libtiff takes it: interleaved samples, alpha last, 16-bit in host order.
File ScanLine(const Bitmap& picture, uint32_t y, const TiffOptions& options) {
    const uint8_t* in = picture.samples.data() + y * picture.stride;
    bool sixteen = picture.bitsPerComponent == 16;
    unsigned colors = Colors(picture);
    if (picture.alpha.empty() && !sixteen) {
        File row(in, in + picture.stride);
        for (uint8_t& byte : row) {
            byte = options.minIsWhite ? static_cast<uint8_t>(~byte) : byte;
        }
        return row;
    }
    unsigned samples = colors + (picture.alpha.empty() ? 0 : 1), max = sixteen ? 65535 : 255;
    File row(size_t{picture.width} * samples * (sixteen ? 2 : 1));
    for (uint32_t x = 0; x < picture.width; ++x) {
        unsigned a = picture.alpha.empty()
                         ? max
                         : Sample(picture.alpha.data(), size_t{y} * picture.width + x, sixteen);
        for (unsigned c = 0; c < colors; ++c) {
            unsigned value = Sample(in, size_t{x} * colors + c, sixteen);
            Store(row.data(), size_t{x} * samples + c,
                  options.premultipliedAlpha ? value * a / max : value, sixteen);
        }
        if (!picture.alpha.empty()) {
            Store(row.data(), size_t{x} * samples + colors, a, sixteen);
        }
    }
    return row;
}

// One sample of every pixel of a row, for separate planes (8-bit only).
File PlaneRow(const File& interleaved, unsigned samples, unsigned plane) {
    File row;
    for (size_t i = plane; i < interleaved.size(); i += samples) {
        row.push_back(interleaved[i]);
    }
    return row;
}

void WriteTiles(TIFF* tiff, const Bitmap& picture, const TiffOptions& options) {
    size_t rowBytes = ScanLine(picture, 0, options).size();
    size_t tileRow = static_cast<size_t>(TIFFTileRowSize(tiff));
    for (uint32_t top = 0; top < picture.height; top += 16) {
        for (uint32_t left = 0; left < picture.width; left += 16) {
            File tile(static_cast<size_t>(TIFFTileSize(tiff)), 0);
            size_t offset = left * rowBytes / picture.width;
            for (uint32_t r = 0; r < 16 && top + r < picture.height; ++r) {
                File row = ScanLine(picture, top + r, options);
                std::memcpy(&tile[r * tileRow], &row[offset], std::min(tileRow, rowBytes - offset));
            }
            TIFFWriteTile(tiff, tile.data(), left, top, 0, 0);
        }
    }
}

void WriteStrips(TIFF* tiff, const Bitmap& picture, const TiffOptions& options) {
    unsigned samples = Colors(picture) + (picture.alpha.empty() ? 0 : 1);
    unsigned planes = options.separatePlanes ? samples : 1;
    for (unsigned plane = 0; plane < planes; ++plane) {  // a whole plane before the next one
        for (uint32_t y = 0; y < picture.height; ++y) {
            File row = ScanLine(picture, y, options);
            if (options.separatePlanes) {
                row = PlaneRow(row, samples, plane);
            }
            TIFFWriteScanline(tiff, row.data(), y, static_cast<uint16_t>(plane));
        }
    }
}

}  // namespace

File MakeTiff(const Bitmap& picture, const TiffOptions& options) {
    std::ostringstream stream;
    TIFF* tiff = TIFFStreamOpen("sample", static_cast<std::ostream*>(&stream));
    SetFields(tiff, picture, options);
    if (picture.space == ColorSpace::kIndexed) {
        SetColorMap(tiff, picture);
    }
    if (options.tiled) {
        WriteTiles(tiff, picture, options);
    } else {
        WriteStrips(tiff, picture, options);
    }
    TIFFClose(tiff);
    std::string bytes = stream.str();
    return File(bytes.begin(), bytes.end());
}

File MakeTiffStructure(std::vector<TiffEntry> entries, const File& trailingData) {
    File out = {'I', 'I', 42, 0};
    auto put = [&out](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out.push_back(static_cast<uint8_t>(value >> (8 * i)));
        }
    };
    size_t directory = 8 + trailingData.size();
    put(static_cast<uint32_t>(directory), 4);
    out.insert(out.end(), trailingData.begin(), trailingData.end());
    size_t dataStart = directory + 2 + entries.size() * 12 + 4;
    File data;
    put(static_cast<uint32_t>(entries.size()), 2);
    for (const TiffEntry& entry : entries) {
        bool rational = entry.type == 5 || entry.type == 10;
        int size = entry.type == 3 ? 2 : entry.type == 4 || rational ? 4 : 1;
        size_t count = rational ? entry.values.size() / 2 : entry.values.size();
        put(entry.tag, 2);
        put(entry.type, 2);
        put(static_cast<uint32_t>(count), 4);
        File value;
        for (uint32_t v : entry.values) {
            for (int i = 0; i < size; ++i) {
                value.push_back(static_cast<uint8_t>(v >> (8 * i)));
            }
        }
        if (value.size() <= 4) {
            value.resize(4, 0);
            out.insert(out.end(), value.begin(), value.end());
        } else {
            put(static_cast<uint32_t>(dataStart + data.size()), 4);
            data.insert(data.end(), value.begin(), value.end());
        }
    }
    put(0, 4);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

namespace {

// Appends value as bits bits, most significant first, at bit position at.
void PutBits(File& row, size_t& at, unsigned value, unsigned bits) {
    for (unsigned i = bits; i-- > 0; ++at) {
        if (value >> i & 1) {
            row[at / 8] = static_cast<uint8_t>(row[at / 8] | 0x80 >> at % 8);
        }
    }
}

File DeepRow(const Bitmap& picture, uint32_t y, unsigned colors, unsigned bits) {
    const size_t samples = size_t{picture.width} * colors;
    File row((samples * bits + 7) / 8, 0);
    size_t at = 0;
    const unsigned maximum = (1u << bits) - 1;
    for (size_t i = 0; i < samples; ++i) {
        const unsigned value = picture.samples[y * picture.stride + i];
        const unsigned scaled = (value * maximum + 127) / 255;
        if (bits == 16) {  // libtiff takes 16-bit samples in host order
            row[2 * i] = static_cast<uint8_t>(scaled);
            row[2 * i + 1] = static_cast<uint8_t>(scaled >> 8);
        } else {
            PutBits(row, at, scaled, bits);
        }
    }
    return row;
}

}  // namespace

File MakeDeepTiff(const Bitmap& picture, unsigned bits) {
    const unsigned colors = picture.space == ColorSpace::kRgb    ? 3
                            : picture.space == ColorSpace::kCmyk ? 4
                                                                 : 1;
    const uint16_t photometric = picture.space == ColorSpace::kRgb    ? PHOTOMETRIC_RGB
                                 : picture.space == ColorSpace::kCmyk ? PHOTOMETRIC_SEPARATED
                                                                      : PHOTOMETRIC_MINISBLACK;
    std::ostringstream stream;
    TIFF* tiff = TIFFStreamOpen("sample", static_cast<std::ostream*>(&stream));
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, picture.width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, picture.height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, colors);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, photometric);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 4);
    for (uint32_t y = 0; y < picture.height; ++y) {
        File row = DeepRow(picture, y, colors, bits);
        TIFFWriteScanline(tiff, row.data(), y, 0);
    }
    TIFFClose(tiff);
    const std::string bytes = stream.str();
    return File(bytes.begin(), bytes.end());
}

}  // namespace samples
