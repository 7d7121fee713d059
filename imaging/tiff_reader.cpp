// TIFF reading over libtiff, first directory only. Bi-level, grey, palette, RGB and CMYK
// samples keep their layout and depth (16-bit grey and RGB stay 16-bit; 9- to 15-bit grey and RGB
// widen to 16 bits, CMYK deeper than 8 bits narrows to 8); extra alpha samples go to the alpha
// plane, straight. Other photometric layouts go through libtiff's RGBA conversion.

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

#include "bitmap_layout.h"
#include "formats.h"
#include "icc_profile.h"
#include "orientation.h"
#include "resolution.h"
#include "size_limits.h"
#include "tiff_io.h"

namespace imaging {
namespace {

struct TiffLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t bits = 1;
    uint16_t samples = 1;
    uint16_t photometric = PHOTOMETRIC_MINISWHITE;
    uint16_t planar = PLANARCONFIG_CONTIG;
    uint16_t sampleFormat = SAMPLEFORMAT_UINT;
    uint16_t compression = COMPRESSION_NONE;
    uint16_t inkSet = INKSET_CMYK;
    uint16_t extraSamples = 0;
    uint16_t firstExtra = EXTRASAMPLE_UNSPECIFIED;
    bool tiled = false;
};

template <typename T>
T FieldOr(TIFF* tiff, ttag_t tag, T fallback) {
    T value{};
    return TIFFGetFieldDefaulted(tiff, tag, &value) == 1 ? value : fallback;
}

TiffLayout ReadLayout(const TiffHandle& handle) {
    TIFF* tiff = handle.get();
    TiffLayout layout;
    if (!TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &layout.width) ||
        !TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &layout.height)) {
        handle.FailWith("damaged TIFF: no image size");
    }
    layout.bits = FieldOr<uint16_t>(tiff, TIFFTAG_BITSPERSAMPLE, 1);
    layout.samples = FieldOr<uint16_t>(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    layout.photometric = FieldOr<uint16_t>(
        tiff, TIFFTAG_PHOTOMETRIC, layout.samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISWHITE);
    layout.planar = FieldOr<uint16_t>(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    layout.sampleFormat = FieldOr<uint16_t>(tiff, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_UINT);
    layout.compression = FieldOr<uint16_t>(tiff, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    layout.inkSet = FieldOr<uint16_t>(tiff, TIFFTAG_INKSET, INKSET_CMYK);
    uint16_t* extraTypes = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &layout.extraSamples, &extraTypes) &&
        layout.extraSamples > 0 && extraTypes) {
        layout.firstExtra = extraTypes[0];
    }
    layout.tiled = TIFFIsTiled(tiff);
    CheckImageSize(layout.width, layout.height);
    return layout;
}

Resolution ReadResolution(TIFF* tiff) {
    float x = 0, y = 0;
    uint16_t unit = FieldOr<uint16_t>(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    if (!TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &x) || unit == RESUNIT_NONE || !(x > 0)) {
        return {};
    }
    bool perCentimetre = unit == RESUNIT_CENTIMETER;
    uint32_t xdpi = DpiFromDensity(x, perCentimetre);
    bool hasY = TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &y) && y > 0;
    return {xdpi, hasY ? DpiFromDensity(y, perCentimetre) : xdpi};
}

uint8_t ReadOrientation(TIFF* tiff) {
    return ValidOrientation(FieldOr<uint16_t>(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT));
}

// The embedded profile (tag 34675) when it describes samples of space.
std::vector<uint8_t> ReadProfile(TIFF* tiff, ColorSpace space) {
    uint32_t length = 0;
    void* profile = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &length, &profile) || !profile) {
        return {};
    }
    return ProfileFor({static_cast<const uint8_t*>(profile), length}, space);
}

// What the samples mean when they can be kept as they are; nullopt when libtiff's RGBA
// conversion has to make sense of them.
struct NativeFormat {
    ColorSpace space;
    unsigned colors;
    bool invert = false;  // min-is-white grey
    bool alpha = false;
    bool premultiplied = false;
};

bool IsAlpha(uint16_t extra) {
    return extra == EXTRASAMPLE_ASSOCALPHA || extra == EXTRASAMPLE_UNASSALPHA;
}

// The colour space a photometric interpretation maps to, before depth and sample checks.
std::optional<NativeFormat> SpaceOfPhotometric(uint16_t photometric) {
    switch (photometric) {
        case PHOTOMETRIC_MINISWHITE:
        case PHOTOMETRIC_MINISBLACK:
            return NativeFormat{ColorSpace::kGray, 1, photometric == PHOTOMETRIC_MINISWHITE};
        case PHOTOMETRIC_PALETTE:
            return NativeFormat{ColorSpace::kIndexed, 1};
        case PHOTOMETRIC_RGB:
        case PHOTOMETRIC_YCBCR:
            return NativeFormat{ColorSpace::kRgb, 3};
        case PHOTOMETRIC_SEPARATED:
            return NativeFormat{ColorSpace::kCmyk, 4};
        default:
            return std::nullopt;
    }
}

// Whether the samples can be kept as they are: unsigned integers of a depth the space allows,
// interleaved, YCbCr only when libtiff's JPEG codec turns it into RGB, CMYK only as such.
bool IsKeepable(const TiffLayout& layout, const NativeFormat& format) {
    unsigned bits = layout.bits;
    bool depth = bits == 1 || bits == 2 || bits == 4 || (bits >= 8 && bits <= 16);
    bool interleaved = layout.planar == PLANARCONFIG_CONTIG || layout.samples == 1;
    bool ycc = layout.photometric == PHOTOMETRIC_YCBCR;
    bool spaceDepth =
        format.space == ColorSpace::kGray || (format.space == ColorSpace::kRgb && bits >= 8) ||
        (format.space == ColorSpace::kIndexed && bits <= 8) ||
        (format.space == ColorSpace::kCmyk && bits >= 8 && layout.inkSet == INKSET_CMYK);
    return depth && interleaved && spaceDepth && layout.sampleFormat == SAMPLEFORMAT_UINT &&
           layout.samples >= format.colors && (layout.samples == format.colors || bits >= 8) &&
           (!ycc || layout.compression == COMPRESSION_JPEG);
}

std::optional<NativeFormat> NativeFormatOf(const TiffLayout& layout) {
    std::optional<NativeFormat> format = SpaceOfPhotometric(layout.photometric);
    if (!format || !IsKeepable(layout, *format)) {
        return std::nullopt;
    }
    format->alpha = layout.samples > format->colors && IsAlpha(layout.firstExtra);
    format->premultiplied = layout.firstExtra == EXTRASAMPLE_ASSOCALPHA;
    return format;
}

// The depth the bitmap keeps: up to 8 bits as stored, deeper samples as 16 bits, except CMYK,
// which bitmaps hold at 8 bits only.
uint8_t OutputBits(const TiffLayout& layout, const NativeFormat& format) {
    if (layout.bits <= 8) {
        return static_cast<uint8_t>(layout.bits);
    }
    return format.space == ColorSpace::kCmyk ? 8 : 16;
}

// A buffer size a file asks for, refused when it exceeds what one image may use.
size_t LimitedSize(uint64_t bytes) {
    if (bytes == 0 || bytes > CodecMemoryLimit()) {
        Fail("damaged TIFF: implausible buffer size");
    }
    return static_cast<size_t>(bytes);
}

using RowSink = std::function<void(uint32_t y, const uint8_t* raw)>;

void ForEachStripRow(const TiffHandle& handle, const TiffLayout& layout, const RowSink& sink) {
    TIFF* tiff = handle.get();
    std::vector<uint8_t> row(LimitedSize(TIFFScanlineSize64(tiff)));
    for (uint32_t y = 0; y < layout.height; ++y) {
        if (TIFFReadScanline(tiff, row.data(), y, 0) < 0) {
            handle.FailWith("damaged TIFF data");
        }
        sink(y, row.data());
    }
}

// Tiles are cut into bands of whole rows; tile edges fall on byte boundaries because tile
// widths are multiples of 16.
void ForEachTileRow(const TiffHandle& handle, const TiffLayout& layout, const RowSink& sink) {
    TIFF* tiff = handle.get();
    uint32_t tileWidth = 0, tileHeight = 0;
    TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &tileWidth);
    TIFFGetField(tiff, TIFFTAG_TILELENGTH, &tileHeight);
    size_t rowBytes = static_cast<size_t>(TIFFScanlineSize64(tiff));
    size_t tileRowBytes = static_cast<size_t>(TIFFTileRowSize64(tiff));
    if (tileWidth == 0 || tileHeight == 0 || tileRowBytes == 0 || rowBytes == 0) {
        handle.FailWith("damaged TIFF: bad tile size");
    }
    uint32_t bandRows = std::min(tileHeight, layout.height);
    std::vector<uint8_t> tile(LimitedSize(TIFFTileSize64(tiff)));
    std::vector<uint8_t> band(LimitedSize(CheckedMul(rowBytes, bandRows)));
    for (uint32_t top = 0; top < layout.height; top += tileHeight) {
        for (uint32_t left = 0, offset = 0; left < layout.width; left += tileWidth) {
            if (TIFFReadTile(tiff, tile.data(), left, top, 0, 0) < 0) {
                handle.FailWith("damaged TIFF data");
            }
            size_t bytes = std::min(tileRowBytes, rowBytes - offset);
            for (uint32_t r = 0; r < bandRows; ++r) {
                std::memcpy(&band[r * rowBytes + offset], &tile[r * tileRowBytes], bytes);
            }
            offset += static_cast<uint32_t>(bytes);
        }
        for (uint32_t r = 0; r < bandRows && top + r < layout.height; ++r) {
            sink(top + r, &band[r * rowBytes]);
        }
    }
}

uint16_t HostSample(const uint8_t* raw, size_t index) {
    uint16_t value;
    std::memcpy(&value, raw + 2 * index, 2);
    return value;
}

void PutSample(uint8_t* out, size_t index, unsigned value, bool sixteen) {
    if (sixteen) {
        out[2 * index] = static_cast<uint8_t>(value >> 8);
        out[2 * index + 1] = static_cast<uint8_t>(value);
    } else {
        out[index] = static_cast<uint8_t>(value);
    }
}

// Sample index of a libtiff row: 8 bits a byte, 16 bits in host order, other depths packed
// most significant bit first.
unsigned RawSample(const uint8_t* raw, size_t index, unsigned bits) {
    if (bits == 8) {
        return raw[index];
    }
    if (bits == 16) {
        return HostSample(raw, index);
    }
    unsigned value = 0;
    for (size_t bit = index * bits, end = bit + bits; bit < end; ++bit) {
        value = value << 1 | ((raw[bit / 8] >> (7 - bit % 8)) & 1);
    }
    return value;
}

unsigned Rescale(unsigned value, unsigned fromBits, unsigned toBits) {
    if (fromBits == toBits) {
        return value;
    }
    const uint64_t from = (1u << fromBits) - 1, to = (1u << toBits) - 1;
    return static_cast<unsigned>((value * to + from / 2) / from);
}

// Rows that need more than a copy: extra samples (the first to the alpha plane, the colour
// divided by it again when premultiplied, the others dropped) and depths the bitmap holds
// differently from the file.
void StoreSampleBySample(const uint8_t* raw, const TiffLayout& layout, const NativeFormat& format,
                         uint32_t y, Bitmap& bitmap) {
    const unsigned inBits = layout.bits, outBits = bitmap.bitsPerComponent;
    const bool sixteen = outBits == 16;
    const uint64_t maximum = (1u << outBits) - 1;
    const bool extra = layout.samples > format.colors;
    const bool unweight = format.alpha && format.premultiplied;
    uint8_t* out = bitmap.samples.data() + y * bitmap.stride;
    uint8_t* alpha = AlphaRow(bitmap, y);
    for (uint32_t x = 0; x < bitmap.width; ++x) {
        const size_t first = size_t{x} * layout.samples;
        const unsigned coverage =
            extra ? Rescale(RawSample(raw, first + format.colors, inBits), inBits, outBits)
                  : static_cast<unsigned>(maximum);
        for (unsigned c = 0; c < format.colors; ++c) {
            uint64_t value = Rescale(RawSample(raw, first + c, inBits), inBits, outBits);
            if (unweight) {
                value =
                    coverage ? std::min(maximum, (value * maximum + coverage / 2) / coverage) : 0;
            }
            PutSample(out, size_t{x} * format.colors + c, static_cast<unsigned>(value), sixteen);
        }
        if (alpha) {
            PutSample(alpha, x, coverage, sixteen);
        }
    }
}

// One libtiff row (samples interleaved, 16-bit in host order) into the bitmap.
void StoreRow(const uint8_t* raw, const TiffLayout& layout, const NativeFormat& format, uint32_t y,
              Bitmap& bitmap) {
    uint8_t* out = bitmap.samples.data() + y * bitmap.stride;
    if (layout.samples > format.colors || layout.bits != bitmap.bitsPerComponent) {
        StoreSampleBySample(raw, layout, format, y, bitmap);
    } else if (layout.bits == 16) {
        for (size_t i = 0; i < bitmap.stride / 2; ++i) {
            PutSample(out, i, HostSample(raw, i), true);
        }
    } else {
        std::memcpy(out, raw, bitmap.stride);
    }
    if (format.invert) {
        for (size_t i = 0; i < bitmap.stride; ++i) {
            out[i] = static_cast<uint8_t>(~out[i]);
        }
        size_t usedBits = size_t{bitmap.width} * bitmap.bitsPerComponent % 8;
        if (usedBits) {  // padding bits stay zero
            out[bitmap.stride - 1] &= static_cast<uint8_t>(0xFF00 >> usedBits);
        }
    }
}

std::vector<uint8_t> ReadColorMap(const TiffHandle& handle, unsigned bits) {
    uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (!TIFFGetField(handle.get(), TIFFTAG_COLORMAP, &red, &green, &blue)) {
        handle.FailWith("damaged TIFF: palette image without a colour map");
    }
    size_t count = size_t{1} << bits;
    bool eightBit = true;
    for (size_t i = 0; i < count; ++i) {
        eightBit = eightBit && red[i] < 256 && green[i] < 256 && blue[i] < 256;
    }
    unsigned shift = eightBit ? 0 : 8;
    std::vector<uint8_t> palette;
    for (size_t i = 0; i < count; ++i) {
        palette.insert(palette.end(), {static_cast<uint8_t>(red[i] >> shift),
                                       static_cast<uint8_t>(green[i] >> shift),
                                       static_cast<uint8_t>(blue[i] >> shift)});
    }
    return palette;
}

Bitmap ReadNative(const TiffHandle& handle, const TiffLayout& layout, const NativeFormat& format) {
    if (layout.photometric == PHOTOMETRIC_YCBCR) {
        TIFFSetField(handle.get(), TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
    }
    uint64_t rowBytes =
        layout.tiled ? TIFFTileRowSize64(handle.get()) : TIFFScanlineSize64(handle.get());
    if (rowBytes < RowBytes(layout.tiled ? 1 : layout.width, layout.samples, layout.bits)) {
        handle.FailWith("damaged TIFF: rows shorter than their pixels");
    }
    Bitmap bitmap =
        MakeBitmap(layout.width, layout.height, format.space, OutputBits(layout, format));
    if (format.space == ColorSpace::kIndexed) {
        bitmap.palette = ReadColorMap(handle, layout.bits);
    }
    if (format.alpha) {
        AddOpaqueAlpha(bitmap);
    }
    RowSink sink = [&](uint32_t y, const uint8_t* raw) {
        StoreRow(raw, layout, format, y, bitmap);
    };
    if (layout.tiled) {
        ForEachTileRow(handle, layout, sink);
    } else {
        ForEachStripRow(handle, layout, sink);
    }
    DropOpaqueAlpha(bitmap);
    return bitmap;
}

std::string DescribeLayout(const TiffLayout& layout) {
    return std::to_string(layout.bits) + "-bit samples, " + std::to_string(layout.samples) +
           " per pixel, photometric " + std::to_string(layout.photometric) +
           (layout.planar == PLANARCONFIG_SEPARATE ? ", separate planes" : "");
}

// libtiff's RGBA conversion hands out colour multiplied by alpha, whether the file stores it so
// or not; bitmaps keep it straight.
uint8_t Unpremultiplied(unsigned color, unsigned coverage) {
    if (coverage == 255) {
        return static_cast<uint8_t>(color);
    }
    return static_cast<uint8_t>(coverage ? std::min(255u, (color * 255 + coverage / 2) / coverage)
                                         : 0);
}

// Anything else libtiff can turn into RGBA: 8-bit RGB with the alpha plane when it is used.
Bitmap ReadThroughRgba(const TiffHandle& handle, const TiffLayout& layout) {
    char reason[1024] = {};
    if (!TIFFRGBAImageOK(handle.get(), reason)) {
        Fail(std::string("unsupported TIFF: ") + reason);
    }
    size_t pixels = CheckedMul(layout.width, layout.height);
    std::vector<uint32_t> raster(pixels);
    // Asking for the file's own orientation keeps the rows and columns as stored, like the
    // other paths; turning them is left to the caller.
    if (!TIFFReadRGBAImageOriented(handle.get(), layout.width, layout.height, raster.data(),
                                   ReadOrientation(handle.get()), 0)) {
        if (std::string_view(handle.error()).starts_with("unsupported")) {
            Fail("unsupported TIFF: " + DescribeLayout(layout));  // libtiff's own text is vague
        }
        handle.FailWith("damaged TIFF data");
    }
    Bitmap bitmap = MakeBitmap(layout.width, layout.height, ColorSpace::kRgb, 8);
    bitmap.alpha.resize(pixels);
    for (size_t i = 0; i < pixels; ++i) {
        const uint32_t pixel = raster[i];
        const unsigned coverage = TIFFGetA(pixel);
        const unsigned colors[3] = {TIFFGetR(pixel), TIFFGetG(pixel), TIFFGetB(pixel)};
        for (int c = 0; c < 3; ++c) {
            bitmap.samples[3 * i + c] = Unpremultiplied(colors[c], coverage);
        }
        bitmap.alpha[i] = static_cast<uint8_t>(coverage);
    }
    DropOpaqueAlpha(bitmap);
    return bitmap;
}

ImageInfo InfoOf(const TiffHandle& handle, const TiffLayout& layout) {
    std::optional<NativeFormat> format = NativeFormatOf(layout);
    ImageInfo info;
    info.format = kFormatTiff;
    info.width = layout.width;
    info.height = layout.height;
    Resolution resolution = ReadResolution(handle.get());
    info.xdpi = resolution.x;
    info.ydpi = resolution.y;
    info.space = format ? format->space : ColorSpace::kRgb;
    info.components = static_cast<uint8_t>(format ? format->colors : 3);
    info.bitsPerComponent = format ? OutputBits(layout, *format) : 8;
    info.hasAlpha = layout.extraSamples > 0 && IsAlpha(layout.firstExtra);
    info.orientation = ReadOrientation(handle.get());
    info.iccProfile = ReadProfile(handle.get(), info.space);
    return info;
}

}  // namespace

bool LooksLikeTiff(Bytes file) {
    if (file.size() < 4) {
        return false;
    }
    bool little =
        file[0] == 'I' && file[1] == 'I' && file[3] == 0 && (file[2] == 42 || file[2] == 43);
    bool big = file[0] == 'M' && file[1] == 'M' && file[2] == 0 && (file[3] == 42 || file[3] == 43);
    return little || big;
}

ImageInfo InspectTiff(Bytes file) {
    TiffHandle handle = TiffHandle::OpenForReading(file);
    return InfoOf(handle, ReadLayout(handle));
}

Decoded ReadTiff(Bytes file) {
    TiffHandle handle = TiffHandle::OpenForReading(file);
    TiffLayout layout = ReadLayout(handle);
    std::optional<NativeFormat> format = NativeFormatOf(layout);
    Bitmap bitmap = format ? ReadNative(handle, layout, *format) : ReadThroughRgba(handle, layout);
    std::vector<uint8_t> profile = ReadProfile(handle.get(), bitmap.space);
    return {std::move(bitmap), ReadResolution(handle.get()), ReadOrientation(handle.get()),
            std::move(profile)};
}

}  // namespace imaging
