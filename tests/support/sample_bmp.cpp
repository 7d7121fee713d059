#include "sample_files.h"

namespace samples {
namespace {

using imaging::Bitmap;

void Put16(File& out, unsigned value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(File& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

unsigned FileBits(const Bitmap& picture, unsigned rgbBits) {
    return picture.space == imaging::ColorSpace::kIndexed ? picture.bitsPerComponent : rgbBits;
}

uint32_t Packed(const uint8_t* rgb, unsigned bits, bool is565) {
    uint32_t r = rgb[0], g = rgb[1], b = rgb[2];
    if (bits == 16) {
        return is565 ? (r >> 3) << 11 | (g >> 2) << 5 | b >> 3
                     : (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
    }
    return r << 16 | g << 8 | b;
}

File PixelRow(const Bitmap& picture, uint32_t y, unsigned bits, const BmpOptions& options) {
    const uint8_t* row = picture.samples.data() + y * picture.stride;
    File out;
    if (picture.space == imaging::ColorSpace::kIndexed) {
        out.assign(row, row + picture.stride);
    } else {
        for (uint32_t x = 0; x < picture.width; ++x) {
            uint32_t value = Packed(row + 3 * x, bits, options.bitFields565);
            if (bits == 32 && !picture.alpha.empty()) {
                value |= uint32_t{picture.alpha[y * picture.width + x]} << 24;
            }
            for (unsigned i = 0; i < bits / 8; ++i) {
                out.push_back(static_cast<uint8_t>(value >> (8 * i)));
            }
        }
    }
    out.resize((out.size() + 3) / 4 * 4, 0);
    return out;
}

// Runs of equal indices as encoded runs, everything else as literal runs of at least 3.
void RleRow(const Bitmap& picture, uint32_t y, bool nibbles, File& out) {
    const uint8_t* row = picture.samples.data() + y * picture.stride;
    auto index = [&](uint32_t x) {
        return nibbles ? (row[x / 2] >> (x % 2 ? 0 : 4)) & 15 : row[x];
    };
    uint32_t x = 0;
    while (x < picture.width) {
        uint32_t run = 1;
        while (x + run < picture.width && run < 255 && index(x + run) == index(x)) {
            ++run;
        }
        if (run == 1 && x + 3 <= picture.width) {
            run = std::min<uint32_t>(picture.width - x, 3 + (x % 5));
            out.insert(out.end(), {0, static_cast<uint8_t>(run)});
            size_t start = out.size();
            for (uint32_t i = 0; i < run; ++i) {
                uint8_t value = static_cast<uint8_t>(index(x + i));
                if (nibbles && i % 2) {
                    out.back() |= value;
                } else {
                    out.push_back(nibbles ? static_cast<uint8_t>(value << 4) : value);
                }
            }
            if ((out.size() - start) % 2) {
                out.push_back(0);
            }
        } else {
            uint8_t value = static_cast<uint8_t>(index(x));
            out.insert(out.end(), {static_cast<uint8_t>(run),
                                   nibbles ? static_cast<uint8_t>(value << 4 | value) : value});
        }
        x += run;
    }
}

File Pixels(const Bitmap& picture, unsigned bits, const BmpOptions& options) {
    File out;
    for (uint32_t i = 0; i < picture.height; ++i) {
        uint32_t y = options.topDown ? i : picture.height - 1 - i;
        if (options.rle) {
            RleRow(picture, y, bits == 4, out);
            out.insert(out.end(), {0, static_cast<uint8_t>(i + 1 == picture.height ? 1 : 0)});
        } else {
            File row = PixelRow(picture, y, bits, options);
            out.insert(out.end(), row.begin(), row.end());
        }
    }
    return out;
}

uint32_t Compression(unsigned bits, const BmpOptions& options) {
    if (options.rle) {
        return bits == 8 ? 1 : 2;
    }
    return (bits == 16 && options.bitFields565) || options.alphaMask ? 3 : 0;
}

File InfoHeader(const Bitmap& picture, unsigned bits, const BmpOptions& options, size_t imageSize) {
    File out;
    Put32(out, options.headerSize);
    if (options.headerSize == 12) {
        Put16(out, picture.width);
        Put16(out, picture.height);
        Put16(out, 1);
        Put16(out, bits);
        return out;
    }
    Put32(out, picture.width);
    Put32(out, options.topDown ? -static_cast<int32_t>(picture.height) : picture.height);
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, Compression(bits, options));
    Put32(out, static_cast<uint32_t>(imageSize));
    Put32(out, options.pixelsPerMetre);
    Put32(out, options.pixelsPerMetre);
    Put32(out, static_cast<uint32_t>(picture.palette.size() / 3));
    Put32(out, 0);
    bool masks = Compression(bits, options) == 3;
    uint32_t red = options.bitFields565 ? 0xF800 : bits == 16 ? 0x7C00 : 0xFF0000;
    uint32_t green = options.bitFields565 ? 0x07E0 : bits == 16 ? 0x03E0 : 0xFF00;
    uint32_t blue = bits == 16 ? 0x1F : 0xFF;
    if (masks || options.headerSize > 40) {
        for (uint32_t mask : {red, green, blue}) {
            Put32(out, masks ? mask : 0);
        }
    }
    if (options.headerSize >= 56) {
        Put32(out, options.alphaMask ? 0xFF000000 : 0);
    }
    out.resize(options.headerSize + (masks && options.headerSize == 40 ? 12 : 0), 0);
    return out;
}

}  // namespace

File MakeBmp(const Bitmap& picture, const BmpOptions& options, unsigned rgbBits) {
    unsigned bits = FileBits(picture, rgbBits);
    File pixels = Pixels(picture, bits, options);
    File header = InfoHeader(picture, bits, options, pixels.size());
    for (size_t i = 0; i + 2 < picture.palette.size(); i += 3) {
        header.insert(header.end(),
                      {picture.palette[i + 2], picture.palette[i + 1], picture.palette[i]});
        if (options.headerSize != 12) {
            header.push_back(0);
        }
    }
    File out;
    if (!options.bareDib) {
        out = {'B', 'M'};
        Put32(out, static_cast<uint32_t>(14 + header.size() + pixels.size()));
        Put32(out, 0);
        Put32(out, static_cast<uint32_t>(14 + header.size()));
    }
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

}  // namespace samples
