// PNG reading over libpng. Samples keep their depth (1 to 16 bits) and palettes stay palettes;
// alpha channels and tRNS transparency move to the alpha plane.

#include <cstring>

#include "bitmap_layout.h"
#include "formats.h"
#include "icc_profile.h"
#include "png_chunks.h"
#include "png_guard.h"
#include "resolution.h"
#include "size_limits.h"

namespace imaging {
namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct MemoryCursor {
    Bytes file;
    size_t position = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t length) {
    auto* cursor = static_cast<MemoryCursor*>(png_get_io_ptr(png));
    if (cursor->file.size() - cursor->position < length) {
        StopPng(png, "truncated PNG data");
    }
    std::memcpy(out, cursor->file.data() + cursor->position, length);
    cursor->position += length;
}

struct InfoJob {
    png_structp png;
    png_infop info;
};

void ReadInfoStep(void* context) {
    auto* job = static_cast<InfoJob*>(context);
    png_read_info(job->png, job->info);
}
void ReadEndStep(void* png) {
    png_read_end(static_cast<png_structp>(png), nullptr);
}

// One libpng reader over an in-memory file, with its limits set and its header read.
class PngReader {
public:
    explicit PngReader(Bytes file) : cursor_{file} {
        // libpng allocates a text or private chunk's declared length before reading it, so a
        // length the bytes cannot hold is refused first.
        CheckPngStructure(file, PngCheck::kHeader);
        handles_.png =
            png_create_read_struct(PNG_LIBPNG_VER_STRING, &errors_, OnPngError, OnPngWarning);
        handles_.info = handles_.png ? png_create_info_struct(handles_.png) : nullptr;
        if (!handles_.info) {
            Fail("out of memory");
        }
        png_set_read_fn(handles_.png, &cursor_, ReadFromMemory);
        png_set_user_limits(handles_.png, kMaxSide, kMaxSide);
        png_set_chunk_cache_max(handles_.png, 1000);
        png_set_chunk_malloc_max(handles_.png, 8u << 20);
        InfoJob job{handles_.png, handles_.info};
        RunPngStep(handles_.png, ReadInfoStep, &job);
        CheckImageSize(width(), height());
        CheckFitsInFile(file.size());
    }

    png_structp png() const { return handles_.png; }
    png_infop info() const { return handles_.info; }
    uint32_t width() const { return png_get_image_width(png(), info()); }
    uint32_t height() const { return png_get_image_height(png(), info()); }
    unsigned depth() const { return png_get_bit_depth(png(), info()); }
    unsigned type() const { return png_get_color_type(png(), info()); }
    bool interlaced() const { return png_get_interlace_type(png(), info()) != PNG_INTERLACE_NONE; }
    bool hasTransparency() const { return png_get_valid(png(), info(), PNG_INFO_tRNS) != 0; }

private:
    // Deflate shrinks data at most 1032 times, so a file too small for its declared pixels is
    // refused before they are allocated.
    void CheckFitsInFile(size_t fileSize) const {
        size_t rowBytes = RowBytes(width(), png_get_channels(png(), info()), depth()) + 1;
        if (CheckedMul(rowBytes, height()) / 1032 > fileSize) {
            Fail("truncated PNG data");
        }
    }

    // A member, so it is released even when the constructor throws.
    struct Handles {
        png_structp png = nullptr;
        png_infop info = nullptr;
        Handles() = default;
        Handles(const Handles&) = delete;
        Handles& operator=(const Handles&) = delete;
        ~Handles() { png_destroy_read_struct(&png, &info, nullptr); }
    };
    PngErrorRecord errors_{"damaged PNG", {}};
    MemoryCursor cursor_;
    Handles handles_;
};

Resolution ReadResolution(const PngReader& reader) {
    png_uint_32 x = 0, y = 0;
    int unit = PNG_RESOLUTION_UNKNOWN;
    png_get_pHYs(reader.png(), reader.info(), &x, &y, &unit);
    if (unit != PNG_RESOLUTION_METER || x == 0) {
        return {};
    }
    uint32_t xdpi = DpiFromPixelsPerMetre(x);
    return {xdpi, y ? DpiFromPixelsPerMetre(y) : xdpi};
}

ColorSpace SpaceOf(unsigned type) {
    if (type == PNG_COLOR_TYPE_PALETTE) {
        return ColorSpace::kIndexed;
    }
    return type & PNG_COLOR_MASK_COLOR ? ColorSpace::kRgb : ColorSpace::kGray;
}

bool HasAlphaChannel(unsigned type) {
    return (type & PNG_COLOR_MASK_ALPHA) != 0;
}

std::vector<png_bytep> RowPointers(uint8_t* first, size_t stride, uint32_t height) {
    std::vector<png_bytep> rows(height);
    for (uint32_t y = 0; y < height; ++y) {
        rows[y] = first + y * stride;
    }
    return rows;
}

struct ImageJob {
    png_structp png;
    png_bytepp rows;
};

void ReadImageStep(void* context) {
    auto* job = static_cast<ImageJob*>(context);
    png_read_image(job->png, job->rows);
}

void ReadImage(const PngReader& reader, uint8_t* first, size_t stride) {
    std::vector<png_bytep> rows = RowPointers(first, stride, reader.height());
    ImageJob job{reader.png(), rows.data()};
    RunPngStep(reader.png(), ReadImageStep, &job);
}

// Moves the alpha sample that closes each pixel of a raw row to the alpha plane.
void SplitAlphaRow(const uint8_t* raw, uint8_t* samples, uint8_t* alpha, uint32_t width,
                   unsigned colors, unsigned sampleBytes) {
    size_t colorBytes = colors * sampleBytes;
    for (uint32_t x = 0; x < width; ++x) {
        std::memcpy(samples, raw, colorBytes);
        std::memcpy(alpha, raw + colorBytes, sampleBytes);
        raw += colorBytes + sampleBytes;
        samples += colorBytes;
        alpha += sampleBytes;
    }
}

struct SplitJob {
    png_structp png;
    uint8_t* raw;
    Bitmap* bitmap;
    unsigned colors;
};

void ReadAndSplitRowsStep(void* context) {
    auto* job = static_cast<SplitJob*>(context);
    Bitmap& bitmap = *job->bitmap;
    unsigned sampleBytes = AlphaBytes(bitmap);
    for (uint32_t y = 0; y < bitmap.height; ++y) {
        png_read_row(job->png, job->raw, nullptr);
        SplitAlphaRow(job->raw, bitmap.samples.data() + y * bitmap.stride, AlphaRow(bitmap, y),
                      bitmap.width, job->colors, sampleBytes);
    }
}

// Grey+alpha and RGBA: interlaced files need every row at once, others go row by row.
void ReadWithAlphaChannel(const PngReader& reader, Bitmap& bitmap) {
    AddOpaqueAlpha(bitmap);
    unsigned colors = ComponentCount(bitmap.space);
    unsigned sampleBytes = AlphaBytes(bitmap);
    size_t rawStride = CheckedMul(bitmap.width, (colors + 1) * sampleBytes);
    std::vector<uint8_t> raw(CheckedMul(rawStride, reader.interlaced() ? bitmap.height : 1));
    if (!reader.interlaced()) {
        SplitJob job{reader.png(), raw.data(), &bitmap, colors};
        RunPngStep(reader.png(), ReadAndSplitRowsStep, &job);
        return;
    }
    ReadImage(reader, raw.data(), rawStride);
    for (uint32_t y = 0; y < bitmap.height; ++y) {
        SplitAlphaRow(raw.data() + y * rawStride, bitmap.samples.data() + y * bitmap.stride,
                      AlphaRow(bitmap, y), bitmap.width, colors, sampleBytes);
    }
}

std::vector<uint8_t> ReadPalette(const PngReader& reader) {
    png_colorp entries = nullptr;
    int count = 0;
    png_get_PLTE(reader.png(), reader.info(), &entries, &count);
    std::vector<uint8_t> palette;
    for (int i = 0; i < count && i < 256; ++i) {
        palette.insert(palette.end(), {entries[i].red, entries[i].green, entries[i].blue});
    }
    return palette;
}

unsigned SampleAt(const uint8_t* row, size_t index, unsigned bits) {
    if (bits == 16) {
        return row[2 * index] << 8 | row[2 * index + 1];
    }
    return PackedSample(row, static_cast<uint32_t>(index), bits);
}

bool MatchesKey(const uint8_t* row, uint32_t x, unsigned components, unsigned bits,
                const unsigned key[3]) {
    for (unsigned c = 0; c < components; ++c) {
        if (SampleAt(row, size_t{x} * components + c, bits) != key[c]) {
            return false;
        }
    }
    return true;
}

// tRNS on grey and RGB images: pixels equal to the key colour become transparent.
void ApplyColorKey(const png_color_16& color, Bitmap& bitmap) {
    bool gray = bitmap.space == ColorSpace::kGray;
    unsigned key[3] = {gray ? color.gray : color.red, color.green, color.blue};
    unsigned components = ComponentCount(bitmap.space);
    unsigned alphaBytes = AlphaBytes(bitmap);
    AddOpaqueAlpha(bitmap);
    for (uint32_t y = 0; y < bitmap.height; ++y) {
        const uint8_t* row = bitmap.samples.data() + y * bitmap.stride;
        uint8_t* alpha = AlphaRow(bitmap, y);
        for (uint32_t x = 0; x < bitmap.width; ++x) {
            if (MatchesKey(row, x, components, bitmap.bitsPerComponent, key)) {
                std::memset(alpha + size_t{x} * alphaBytes, 0, alphaBytes);
            }
        }
    }
}

// tRNS on palette images: one alpha value per palette entry, opaque past the list.
void ApplyPaletteAlpha(const uint8_t* entryAlpha, int count, Bitmap& bitmap) {
    uint8_t table[256];
    std::memset(table, 0xFF, sizeof table);
    std::memcpy(table, entryAlpha, count < 256 ? count : 256);
    AddOpaqueAlpha(bitmap);
    for (uint32_t y = 0; y < bitmap.height; ++y) {
        const uint8_t* row = bitmap.samples.data() + y * bitmap.stride;
        uint8_t* alpha = AlphaRow(bitmap, y);
        for (uint32_t x = 0; x < bitmap.width; ++x) {
            alpha[x] = table[PackedSample(row, x, bitmap.bitsPerComponent)];
        }
    }
}

void ApplyTransparency(const PngReader& reader, Bitmap& bitmap) {
    png_bytep entryAlpha = nullptr;
    int count = 0;
    png_color_16p color = nullptr;
    png_get_tRNS(reader.png(), reader.info(), &entryAlpha, &count, &color);
    if (bitmap.space == ColorSpace::kIndexed && entryAlpha) {
        ApplyPaletteAlpha(entryAlpha, count, bitmap);
    } else if (bitmap.space != ColorSpace::kIndexed && color) {
        ApplyColorKey(*color, bitmap);
    }
}

// The iCCP chunk's profile, inflated by libpng, when it describes samples of space.
std::vector<uint8_t> ReadProfile(const PngReader& reader, ColorSpace space) {
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 length = 0;
    if (!png_get_iCCP(reader.png(), reader.info(), &name, &compression, &profile, &length)) {
        return {};
    }
    return ProfileFor({profile, length}, space);
}

ImageInfo InfoOf(const PngReader& reader) {
    ImageInfo info;
    info.format = kFormatPng;
    info.width = reader.width();
    info.height = reader.height();
    Resolution resolution = ReadResolution(reader);
    info.xdpi = resolution.x;
    info.ydpi = resolution.y;
    info.space = SpaceOf(reader.type());
    info.components = static_cast<uint8_t>(ComponentCount(info.space));
    info.bitsPerComponent = static_cast<uint8_t>(reader.depth());
    info.interlaced = reader.interlaced();
    info.hasAlpha = HasAlphaChannel(reader.type()) || reader.hasTransparency();
    info.iccProfile = ReadProfile(reader, info.space);
    return info;
}

}  // namespace

bool LooksLikePng(Bytes file) {
    return file.size() >= sizeof kSignature &&
           std::memcmp(file.data(), kSignature, sizeof kSignature) == 0;
}

ImageInfo InspectPng(Bytes file) {
    return InfoOf(PngReader(file));
}

Decoded ReadPng(Bytes file) {
    CheckPngStructure(file, PngCheck::kWhole);
    PngReader reader(file);
    unsigned type = reader.type();
    Bitmap bitmap = MakeBitmap(reader.width(), reader.height(), SpaceOf(type),
                               static_cast<uint8_t>(reader.depth()));
    if (type == PNG_COLOR_TYPE_PALETTE) {
        bitmap.palette = ReadPalette(reader);
    }
    if (HasAlphaChannel(type)) {
        ReadWithAlphaChannel(reader, bitmap);
    } else {
        ReadImage(reader, bitmap.samples.data(), bitmap.stride);
    }
    RunPngStep(reader.png(), ReadEndStep, reader.png());
    if (reader.hasTransparency() && !HasAlphaChannel(type)) {
        ApplyTransparency(reader, bitmap);
    }
    DropOpaqueAlpha(bitmap);
    std::vector<uint8_t> profile = ReadProfile(reader, bitmap.space);
    return {std::move(bitmap), ReadResolution(reader), 1, std::move(profile)};
}

}  // namespace imaging
