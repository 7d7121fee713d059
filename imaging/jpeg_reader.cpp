// JPEG reading over libjpeg-turbo: header, resolution (JFIF, else EXIF), DCT-scaled decoding,
// CMYK stored the Adobe way turned into ink amounts.

#include <cstring>

#include "bitmap_layout.h"
#include "formats.h"
#include "icc_profile.h"
#include "jpeg_guard.h"
#include "resolution.h"
#include "size_limits.h"
#include "tiff_directory.h"

namespace imaging {
namespace {

constexpr int kExifMarker = JPEG_APP0 + 1;
constexpr int kProfileMarker = JPEG_APP0 + 2;
constexpr int kRowsPerRead = 16;

struct Session {
    jpeg_decompress_struct* cinfo;
    Bytes file;
};

void CreateStep(void* context) {
    auto* session = static_cast<Session*>(context);
    jpeg_create_decompress(session->cinfo);
    jpeg_mem_src(session->cinfo, session->file.data(), session->file.size());
    jpeg_save_markers(session->cinfo, kExifMarker, 0xFFFF);
    jpeg_save_markers(session->cinfo, kProfileMarker, 0xFFFF);
}

void HeaderStep(void* context) {
    auto* session = static_cast<Session*>(context);
    jpeg_read_header(session->cinfo, TRUE);
}

void ReadCoefficientsStep(void* context) {
    jpeg_decompress_struct* cinfo = static_cast<Session*>(context)->cinfo;
    jpeg_read_coefficients(cinfo);  // reads through the end marker
}

// A progressive file's scans refine each coefficient down to its last bit; a coefficient left
// unseen (-1) or coarser shows that scans are missing.
bool EveryCoefficientRefined(const jpeg_decompress_struct& cinfo) {
    if (!cinfo.progressive_mode || !cinfo.coef_bits) {
        return true;
    }
    for (int component = 0; component < cinfo.num_components; ++component) {
        for (int k = 0; k < DCTSIZE2; ++k) {
            if (cinfo.coef_bits[component][k] != 0) {
                return false;
            }
        }
    }
    return true;
}

void CalcOutputStep(void* context) {
    jpeg_calc_output_dimensions(static_cast<Session*>(context)->cinfo);
}

// One libjpeg decompressor over an in-memory file, with its limits set and its header read.
class Decompressor {
public:
    explicit Decompressor(Bytes file) {
        jpeg_decompress_struct& cinfo = owned_.cinfo;
        InstallJpegErrorManager(reinterpret_cast<jpeg_common_struct*>(&cinfo), &owned_.errors);
        Session session{&cinfo, file};
        Run(CreateStep, &session);
        cinfo.progress = &owned_.errors.progress;
        cinfo.mem->max_memory_to_use = static_cast<long>(CodecMemoryLimit());
        Run(HeaderStep, &session);
    }

    jpeg_decompress_struct& cinfo() { return owned_.cinfo; }
    void Run(void (*step)(void*), void* context) {
        RunJpegStep(reinterpret_cast<jpeg_common_struct*>(&owned_.cinfo), step, context);
    }

private:
    // A member, so it is released even when the constructor throws. jpeg_destroy_decompress
    // is safe on an object that was never created.
    struct Owned {
        JpegErrorManager errors;
        jpeg_decompress_struct cinfo{};
        Owned() = default;
        Owned(const Owned&) = delete;
        Owned& operator=(const Owned&) = delete;
        ~Owned() { jpeg_destroy_decompress(&cinfo); }
    };
    Owned owned_;
};

// The first directory of the first EXIF block, in either byte order.
std::optional<TiffDirectory> ExifDirectory(const jpeg_decompress_struct& cinfo) {
    for (jpeg_saved_marker_ptr marker = cinfo.marker_list; marker; marker = marker->next) {
        if (marker->marker == kExifMarker && marker->data_length > 6 &&
            std::memcmp(marker->data, "Exif\0\0", 6) == 0) {
            return TiffDirectory::Open({marker->data + 6, marker->data_length - 6});
        }
    }
    return std::nullopt;
}

Resolution ExifResolution(const jpeg_decompress_struct& cinfo) {
    auto directory = ExifDirectory(cinfo);
    return directory ? directory->ReadResolution() : Resolution{};
}

uint8_t ExifOrientation(const jpeg_decompress_struct& cinfo) {
    auto directory = ExifDirectory(cinfo);
    return directory ? directory->ReadOrientation() : 1;
}

Resolution ReadResolution(const jpeg_decompress_struct& cinfo) {
    bool jfifDensity =
        cinfo.saw_JFIF_marker && (cinfo.density_unit == 1 || cinfo.density_unit == 2);
    if (!jfifDensity || cinfo.X_density == 0) {
        return ExifResolution(cinfo);
    }
    bool perCentimetre = cinfo.density_unit == 2;
    uint32_t x = DpiFromDensity(cinfo.X_density, perCentimetre);
    uint32_t y = cinfo.Y_density ? DpiFromDensity(cinfo.Y_density, perCentimetre) : x;
    return {x, y};
}

std::vector<uint8_t> ReadProfile(const jpeg_decompress_struct& cinfo, ColorSpace space) {
    std::vector<std::span<const uint8_t>> segments;
    for (jpeg_saved_marker_ptr marker = cinfo.marker_list; marker; marker = marker->next) {
        if (marker->marker == kProfileMarker) {
            segments.emplace_back(marker->data, marker->data_length);
        }
    }
    return ProfileFor(JoinJpegProfileChunks(segments), space);
}

ColorSpace SpaceOf(const jpeg_decompress_struct& cinfo) {
    switch (cinfo.num_components) {
        case 1:
            return ColorSpace::kGray;
        case 3:
            return ColorSpace::kRgb;
        case 4:
            return ColorSpace::kCmyk;
        default:
            Fail("unsupported JPEG with " + std::to_string(cinfo.num_components) + " components");
    }
}

ImageInfo InfoOf(const jpeg_decompress_struct& cinfo) {
    ImageInfo info;
    info.format = kFormatJpeg;
    info.width = cinfo.image_width;
    info.height = cinfo.image_height;
    Resolution resolution = ReadResolution(cinfo);
    info.xdpi = resolution.x;
    info.ydpi = resolution.y;
    info.space = SpaceOf(cinfo);
    info.components = static_cast<uint8_t>(cinfo.num_components);
    info.bitsPerComponent = static_cast<uint8_t>(cinfo.data_precision);
    info.progressive = cinfo.progressive_mode;
    info.adobeInverted = cinfo.saw_Adobe_marker && cinfo.num_components == 4;
    info.orientation = ExifOrientation(cinfo);
    info.iccProfile = ReadProfile(cinfo, info.space);
    CheckImageSize(info.width, info.height);
    return info;
}

J_COLOR_SPACE OutputSpace(ColorSpace space, bool grayscale) {
    if (space == ColorSpace::kCmyk) {
        return JCS_CMYK;
    }
    return space == ColorSpace::kGray || grayscale ? JCS_GRAYSCALE : JCS_RGB;
}

struct ScanlineTarget {
    jpeg_decompress_struct* cinfo;
    uint8_t* samples;
    size_t stride;
};

void DecodeStep(void* context) {
    auto* target = static_cast<ScanlineTarget*>(context);
    jpeg_decompress_struct* cinfo = target->cinfo;
    jpeg_start_decompress(cinfo);
    JSAMPROW rows[kRowsPerRead];
    while (cinfo->output_scanline < cinfo->output_height) {
        JDIMENSION first = cinfo->output_scanline;
        JDIMENSION count = cinfo->output_height - first;
        count = count < kRowsPerRead ? count : kRowsPerRead;
        for (JDIMENSION i = 0; i < count; ++i) {
            rows[i] = target->samples + (first + i) * target->stride;
        }
        jpeg_read_scanlines(cinfo, rows, count);
    }
    jpeg_finish_decompress(cinfo);
}

void InvertSamples(Bitmap& bitmap) {
    for (uint8_t& sample : bitmap.samples) {
        sample = static_cast<uint8_t>(255 - sample);
    }
}

// Position of the next marker at or after pos, stepping over entropy-coded data: stuffed
// zero bytes, fill bytes and restart markers belong to the data.
size_t NextMarker(Bytes file, size_t pos) {
    while (pos + 1 < file.size()) {
        const void* found = std::memchr(file.data() + pos, 0xFF, file.size() - pos - 1);
        if (!found) {
            break;
        }
        pos = static_cast<const uint8_t*>(found) - file.data();
        uint8_t code = file[pos + 1];
        bool restart = code >= 0xD0 && code <= 0xD7;
        if (code != 0 && code != 0xFF && !restart) {
            return pos;
        }
        pos += code == 0xFF ? 1 : 2;
    }
    return file.size();
}

}  // namespace

bool LooksLikeJpeg(Bytes file) {
    return file.size() >= 3 && file[0] == 0xFF && file[1] == 0xD8 && file[2] == 0xFF;
}

ImageInfo InspectJpeg(Bytes file) {
    Decompressor decompressor(file);
    return InfoOf(decompressor.cinfo());
}

Decoded ReadJpeg(Bytes file) {
    return ReadJpegScaled(file, {});
}

Decoded ReadJpegScaled(Bytes file, const JpegDecodeOptions& options) {
    Decompressor decompressor(file);
    jpeg_decompress_struct& cinfo = decompressor.cinfo();
    ImageInfo info = InfoOf(cinfo);
    cinfo.out_color_space = OutputSpace(info.space, options.grayscale);
    cinfo.scale_num = 1;
    cinfo.scale_denom = options.scaleDenominator;
    Session session{&cinfo, file};
    decompressor.Run(CalcOutputStep, &session);
    ColorSpace space = cinfo.out_color_space == JCS_GRAYSCALE ? ColorSpace::kGray : info.space;
    Decoded decoded{MakeBitmap(cinfo.output_width, cinfo.output_height, space, 8),
                    {info.xdpi, info.ydpi},
                    info.orientation,
                    ProfileFor(info.iccProfile, space)};
    if (static_cast<unsigned>(cinfo.output_components) != ComponentCount(space)) {
        Fail("unsupported JPEG colour layout");
    }
    ScanlineTarget target{&cinfo, decoded.bitmap.samples.data(), decoded.bitmap.stride};
    decompressor.Run(DecodeStep, &target);
    if (info.adobeInverted) {
        InvertSamples(decoded.bitmap);
    }
    return decoded;
}

bool JpegHasEndMarker(Bytes file) {
    constexpr uint8_t kEndOfImage = 0xD9;
    constexpr uint8_t kStartOfScan = 0xDA;
    size_t pos = 2;
    bool inScanData = false;
    for (;;) {
        pos = NextMarker(file, pos);
        if (pos + 1 >= file.size()) {
            if (!inScanData) {
                Fail("truncated JPEG data");
            }
            return false;
        }
        uint8_t code = file[pos + 1];
        if (code == kEndOfImage) {
            return true;
        }
        bool standalone = code == 0xD8 || code == 0x01;
        size_t length =
            standalone || pos + 3 >= file.size() ? 0 : file[pos + 2] << 8 | file[pos + 3];
        if (pos + 2 + length > file.size()) {
            Fail("truncated JPEG data");
        }
        pos += 2 + length;
        inScanData = code == kStartOfScan;
    }
}

void CheckJpegScanData(Bytes file) {
    Decompressor decompressor(file);
    Session session{&decompressor.cinfo(), file};
    decompressor.Run(ReadCoefficientsStep, &session);
    if (!EveryCoefficientRefined(decompressor.cinfo())) {
        Fail("truncated JPEG data");
    }
}

}  // namespace imaging
