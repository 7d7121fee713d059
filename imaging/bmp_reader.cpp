// BMP and DIB reading, our own: 1, 2, 4 and 8-bit palettes, RLE8 and RLE4, 16, 24 and 32-bit
// pixels with or without bit-field masks, bottom-up and top-down rows, pixels per metre. A DIB
// without the 14-byte file header is read the same way.

#include <algorithm>
#include <bit>
#include <cstring>

#include "bitmap_layout.h"
#include "byte_reader.h"
#include "formats.h"
#include "resolution.h"
#include "size_limits.h"

namespace imaging {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr char kTruncated[] = "truncated BMP data";
enum : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

struct BmpHeader {
    size_t dib = 0;  // where the DIB header starts: 14, or 0 for a bare DIB
    uint32_t headerSize = 0;
    int64_t width = 0;
    int64_t height = 0;  // negative for top-down rows
    unsigned bits = 0;
    uint32_t compression = kRgb;
    uint32_t colorsUsed = 0;
    int32_t xppm = 0;
    int32_t yppm = 0;
    uint32_t masks[4] = {};  // red, green, blue, alpha
    size_t paletteOffset = 0;
    unsigned paletteEntrySize = 4;
    size_t pixelOffset = 0;

    uint32_t rows() const { return static_cast<uint32_t>(height < 0 ? -height : height); }
    size_t stride() const {  // rows are padded to 4 bytes
        return CheckedAdd(CheckedMul(static_cast<size_t>(width), bits), 31) / 32 * 4;
    }
    size_t paletteCount() const {
        size_t limit = bits <= 8 ? size_t{1} << bits : 0;
        return colorsUsed && colorsUsed < limit ? colorsUsed : limit;
    }
};

bool IsKnownBitCount(unsigned bits) {
    return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 ||
           bits == 32;
}

bool IsBareDib(Bytes file) {
    if (file.size() < 20) {
        return false;
    }
    ByteReader in(file, kTruncated);
    uint32_t size = in.Le32(0);
    uint32_t compression = in.Le32(16);
    return (size == 40 || size == 108 || size == 124) && in.Le16(12) == 1 &&
           IsKnownBitCount(in.Le16(14)) &&
           (compression <= kBitFields || compression == kAlphaBitFields);
}

bool IsFileHeader(Bytes file) {
    if (file.size() < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') {
        return false;
    }
    uint32_t size = ByteReader(file, kTruncated).Le32(kFileHeaderSize);
    for (uint32_t known : {12u, 16u, 40u, 52u, 56u, 64u, 108u, 124u}) {
        if (size == known) {
            return true;
        }
    }
    return false;
}

void ReadSizes(const ByteReader& in, BmpHeader& header) {
    size_t at = header.dib;
    if (header.headerSize == 12) {
        header.width = in.Le16(at + 4);
        header.height = in.Le16(at + 6);
        header.bits = in.Le16(at + 10);
        header.paletteEntrySize = 3;
        return;
    }
    header.width = static_cast<int32_t>(in.Le32(at + 4));
    header.height = static_cast<int32_t>(in.Le32(at + 8));
    header.bits = in.Le16(at + 14);
    if (header.headerSize >= 40) {
        header.compression = in.Le32(at + 16);
        header.xppm = static_cast<int32_t>(in.Le32(at + 24));
        header.yppm = static_cast<int32_t>(in.Le32(at + 28));
        header.colorsUsed = in.Le32(at + 32);
    }
}

// Bit-field masks sit inside headers of 52 bytes and more, else right after a 40-byte header.
void ReadMasks(const ByteReader& in, BmpHeader& header) {
    unsigned count = header.compression == kBitFields        ? 3
                     : header.compression == kAlphaBitFields ? 4
                                                             : 0;
    if (count && header.headerSize == 40) {
        header.paletteOffset += count * 4;
    } else if (count && header.headerSize >= 56) {
        count = 4;
    }
    for (unsigned i = 0; i < count; ++i) {
        header.masks[i] = in.Le32(header.dib + 40 + 4 * i);
    }
    if (count == 0 && header.bits == 16) {
        std::copy_n(std::initializer_list<uint32_t>{0x7C00, 0x03E0, 0x001F}.begin(), 3,
                    header.masks);
    } else if (count == 0 && header.bits == 32) {
        std::copy_n(std::initializer_list<uint32_t>{0xFF0000, 0xFF00, 0xFF}.begin(), 3,
                    header.masks);
    }
}

void CheckLayout(const BmpHeader& header) {
    bool rle = header.compression == kRle8 || header.compression == kRle4;
    bool fields = header.compression == kBitFields || header.compression == kAlphaBitFields;
    bool os2 = header.headerSize == 16 || header.headerSize == 64;
    bool supported = header.compression == kRgb ||
                     (header.compression == kRle8 && header.bits == 8) ||
                     (header.compression == kRle4 && header.bits == 4) ||
                     (fields && !os2 && (header.bits == 16 || header.bits == 32));
    if (!IsKnownBitCount(header.bits)) {
        Fail("damaged BMP: " + std::to_string(header.bits) + " bits per pixel");
    }
    if (!supported || (header.compression == kRgb && header.headerSize == 12 && header.bits > 24)) {
        Fail("unsupported BMP compression " + std::to_string(header.compression));
    }
    if (header.width <= 0 || header.height == 0 || (rle && header.height < 0)) {
        Fail("damaged BMP: invalid size");
    }
    CheckImageSize(static_cast<uint64_t>(header.width), header.rows());
}

BmpHeader ReadHeader(const ByteReader& in, bool bare) {
    BmpHeader header;
    header.dib = bare ? 0 : kFileHeaderSize;
    header.headerSize = in.Le32(header.dib);
    ReadSizes(in, header);
    header.paletteOffset = header.dib + header.headerSize;
    ReadMasks(in, header);
    CheckLayout(header);
    size_t paletteBytes = header.paletteCount() * header.paletteEntrySize;
    header.pixelOffset = bare ? header.paletteOffset + paletteBytes : in.Le32(10);
    return header;
}

std::vector<uint8_t> ReadPalette(const ByteReader& in, const BmpHeader& header) {
    std::vector<uint8_t> palette;
    for (size_t i = 0; i < header.paletteCount(); ++i) {
        size_t entry = header.paletteOffset + i * header.paletteEntrySize;
        palette.insert(palette.end(), {in.U8(entry + 2), in.U8(entry + 1), in.U8(entry)});
    }
    return palette;
}

// The file row that holds image row y (rows are stored bottom-up unless the height is negative).
size_t FileRow(const BmpHeader& header, uint32_t y) {
    return header.height < 0 ? y : header.rows() - 1 - y;
}

void ReadIndexedRows(const ByteReader& in, const BmpHeader& header, Bitmap& bitmap) {
    size_t stride = header.stride();
    for (uint32_t y = 0; y < bitmap.height; ++y) {
        Bytes row = in.Slice(header.pixelOffset + FileRow(header, y) * stride, bitmap.stride);
        std::memcpy(bitmap.samples.data() + y * bitmap.stride, row.data(), bitmap.stride);
    }
}

uint8_t MaskedChannel(uint32_t pixel, uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    int shift = std::countr_zero(mask);
    uint64_t maximum = mask >> shift;
    uint64_t value = (pixel & mask) >> shift;
    return static_cast<uint8_t>((value * 255 + maximum / 2) / maximum);
}

uint32_t PixelValue(Bytes row, uint32_t x, unsigned bits) {
    const uint8_t* p = row.data() + size_t{x} * (bits / 8);
    if (bits == 16) {
        return p[0] | p[1] << 8;
    }
    uint32_t value = p[0] | p[1] << 8 | p[2] << 16;
    return bits == 32 ? value | static_cast<uint32_t>(p[3]) << 24 : value;
}

void ReadDirectRows(const ByteReader& in, const BmpHeader& header, Bitmap& bitmap) {
    size_t stride = header.stride();
    const uint32_t* masks = header.masks;
    uint32_t defaultMasks[3] = {0xFF0000, 0xFF00, 0xFF};
    const uint32_t* colorMasks = header.bits == 24 ? defaultMasks : masks;
    for (uint32_t y = 0; y < bitmap.height; ++y) {
        Bytes row = in.Slice(header.pixelOffset + FileRow(header, y) * stride,
                             RowBytes(bitmap.width, 1, header.bits));
        uint8_t* out = bitmap.samples.data() + y * bitmap.stride;
        uint8_t* alpha = AlphaRow(bitmap, y);
        for (uint32_t x = 0; x < bitmap.width; ++x) {
            uint32_t pixel = PixelValue(row, x, header.bits);
            for (int c = 0; c < 3; ++c) {
                out[3 * x + c] = MaskedChannel(pixel, colorMasks[c]);
            }
            if (alpha) {
                alpha[x] = MaskedChannel(pixel, masks[3]);
            }
        }
    }
}

// Writes one decoded RLE pixel; pixels outside the image are dropped.
void PutPixel(Bitmap& bitmap, uint64_t x, uint64_t fileRow, uint8_t index) {
    if (x < bitmap.width && fileRow < bitmap.height) {
        bitmap.samples[(bitmap.height - 1 - fileRow) * bitmap.stride + x] = index;
    }
}

struct RleCursor {
    const ByteReader& in;
    size_t position;
    uint64_t x = 0;
    uint64_t row = 0;
};

void PutRun(RleCursor& at, Bitmap& bitmap, bool nibbles, unsigned count, uint8_t value) {
    for (unsigned i = 0; i < count; ++i, ++at.x) {
        uint8_t index = nibbles ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value;
        PutPixel(bitmap, at.x, at.row, index);
    }
}

void PutLiteral(RleCursor& at, Bitmap& bitmap, bool nibbles, unsigned count) {
    size_t bytes = nibbles ? (count + 1) / 2 : count;
    for (unsigned i = 0; i < count; ++i, ++at.x) {
        uint8_t byte = at.in.U8(at.position + (nibbles ? i / 2 : i));
        PutPixel(bitmap, at.x, at.row, nibbles ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte);
    }
    at.position += bytes + bytes % 2;
}

// RLE8 and RLE4 into 8-bit indices; the data must end with the end-of-bitmap code.
void DecodeRle(const ByteReader& in, const BmpHeader& header, Bitmap& bitmap) {
    bool nibbles = header.compression == kRle4;
    RleCursor at{in, header.pixelOffset};
    for (;;) {
        uint8_t count = in.U8(at.position);
        uint8_t code = in.U8(at.position + 1);
        at.position += 2;
        if (count > 0) {
            PutRun(at, bitmap, nibbles, count, code);
        } else if (code == 0) {
            at.x = 0;
            ++at.row;
        } else if (code == 1) {
            return;
        } else if (code == 2) {
            at.x += in.U8(at.position);
            at.row += in.U8(at.position + 1);
            at.position += 2;
        } else {
            PutLiteral(at, bitmap, nibbles, code);
        }
    }
}

// Refuses a header whose pixels the file cannot hold, before they are allocated. Plain rows
// must all be present; RLE data moves at most 255 rows down per 4-byte delta code.
void CheckFitsInFile(const BmpHeader& header, size_t fileSize) {
    const bool rle = header.compression == kRle8 || header.compression == kRle4;
    const size_t available = fileSize > header.pixelOffset ? fileSize - header.pixelOffset : 0;
    const size_t needed =
        rle ? header.rows() / 64 + 2
            : CheckedAdd(CheckedMul(header.stride(), header.rows() - 1),
                         RowBytes(static_cast<uint64_t>(header.width), 1, header.bits));
    if (needed > available) {
        Fail(kTruncated);
    }
}

ImageInfo InfoOf(const BmpHeader& header) {
    ImageInfo info;
    info.format = kFormatBmp;
    info.width = static_cast<uint32_t>(header.width);
    info.height = header.rows();
    info.xdpi =
        header.xppm > 0 ? DpiFromPixelsPerMetre(static_cast<uint32_t>(header.xppm)) : kDefaultDpi;
    info.ydpi =
        header.yppm > 0 ? DpiFromPixelsPerMetre(static_cast<uint32_t>(header.yppm)) : info.xdpi;
    info.space = header.bits <= 8 ? ColorSpace::kIndexed : ColorSpace::kRgb;
    info.components = static_cast<uint8_t>(ComponentCount(info.space));
    bool rle = header.compression == kRle8 || header.compression == kRle4;
    info.bitsPerComponent = static_cast<uint8_t>(header.bits <= 8 && !rle ? header.bits : 8);
    info.hasAlpha = header.masks[3] != 0;
    return info;
}

}  // namespace

bool LooksLikeBmp(Bytes file) {
    return IsFileHeader(file) || IsBareDib(file);
}

ImageInfo InspectBmp(Bytes file) {
    ByteReader in(file, kTruncated);
    return InfoOf(ReadHeader(in, !IsFileHeader(file)));
}

Decoded ReadBmp(Bytes file) {
    ByteReader in(file, kTruncated);
    BmpHeader header = ReadHeader(in, !IsFileHeader(file));
    CheckFitsInFile(header, file.size());
    ImageInfo info = InfoOf(header);
    Bitmap bitmap = MakeBitmap(info.width, info.height, info.space, info.bitsPerComponent);
    if (info.space == ColorSpace::kIndexed) {
        bitmap.palette = ReadPalette(in, header);
    }
    if (info.hasAlpha) {
        AddOpaqueAlpha(bitmap);
    }
    if (header.compression == kRle8 || header.compression == kRle4) {
        DecodeRle(in, header, bitmap);
    } else if (info.space == ColorSpace::kIndexed) {
        ReadIndexedRows(in, header, bitmap);
    } else {
        ReadDirectRows(in, header, bitmap);
    }
    if (std::all_of(bitmap.alpha.begin(), bitmap.alpha.end(), [](uint8_t a) { return a == 0; })) {
        bitmap.alpha.clear();
    }
    DropOpaqueAlpha(bitmap);
    return {std::move(bitmap), {info.xdpi, info.ydpi}};
}

}  // namespace imaging
