// TIFF writing over libtiff: bi-level as CCITT G4 (min-is-white, as fax readers expect), grey,
// RGB and CMYK with LZW and the horizontal predictor, palettes with a colour map, alpha as an
// unassociated extra sample; the resolution goes into the resolution tags.

#include <cstring>

#include "bitmap_layout.h"
#include "formats.h"
#include "icc_profile.h"
#include "pixel_convert.h"
#include "size_limits.h"
#include "tiff_io.h"

namespace imaging {
namespace {

bool IsBilevel(const Bitmap& bitmap) {
    return bitmap.space == ColorSpace::kGray && bitmap.bitsPerComponent == 1;
}

uint16_t Photometric(const Bitmap& bitmap) {
    switch (bitmap.space) {
        case ColorSpace::kRgb:
            return PHOTOMETRIC_RGB;
        case ColorSpace::kCmyk:
            return PHOTOMETRIC_SEPARATED;
        case ColorSpace::kIndexed:
            return PHOTOMETRIC_PALETTE;
        default:
            return IsBilevel(bitmap) ? PHOTOMETRIC_MINISWHITE : PHOTOMETRIC_MINISBLACK;
    }
}

// The bitmap itself, or in converted what TIFF can store: an alpha plane needs 8 or 16 bits
// and no palette.
const Bitmap& TiffLayout(const Bitmap& source, Bitmap& converted) {
    if (source.alpha.empty() ||
        (source.bitsPerComponent >= 8 && source.space != ColorSpace::kIndexed)) {
        return source;
    }
    converted = source.space == ColorSpace::kIndexed ? ToDirectColor(source, true)
                                                     : UnpackToEightBit(source);
    return converted;
}

void SetColorMap(TIFF* tiff, const Bitmap& bitmap) {
    size_t entries = size_t{1} << bitmap.bitsPerComponent;
    std::vector<uint16_t> map(3 * entries, 0);
    for (size_t i = 0; i < entries && 3 * i + 2 < bitmap.palette.size(); ++i) {
        for (size_t c = 0; c < 3; ++c) {
            map[c * entries + i] = static_cast<uint16_t>(bitmap.palette[3 * i + c] * 257);
        }
    }
    TIFFSetField(tiff, TIFFTAG_COLORMAP, map.data(), map.data() + entries,
                 map.data() + 2 * entries);
}

void SetFields(TIFF* tiff, const Bitmap& bitmap, const EncodeOptions& options) {
    bool alpha = !bitmap.alpha.empty();
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, bitmap.width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, bitmap.height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, bitmap.bitsPerComponent);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, ComponentCount(bitmap.space) + (alpha ? 1 : 0));
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, Photometric(bitmap));
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    if (alpha) {
        uint16_t extra = EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &extra);
    }
    if (IsBilevel(bitmap)) {
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
    } else {
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
        bool predictable = bitmap.bitsPerComponent >= 8 && bitmap.space != ColorSpace::kIndexed;
        TIFFSetField(tiff, TIFFTAG_PREDICTOR, predictable ? PREDICTOR_HORIZONTAL : PREDICTOR_NONE);
    }
    if (bitmap.space == ColorSpace::kIndexed) {
        SetColorMap(tiff, bitmap);
    }
    TIFFSetField(tiff, TIFFTAG_XRESOLUTION, static_cast<float>(options.resolution.x));
    TIFFSetField(tiff, TIFFTAG_YRESOLUTION, static_cast<float>(options.resolution.y));
    TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
    if (ProfileDescribes(options.iccProfile, bitmap.space)) {
        TIFFSetField(tiff, TIFFTAG_ICCPROFILE, static_cast<uint32_t>(options.iccProfile.size()),
                     options.iccProfile.data());
    }
}

void PutHostSample(uint8_t* out, size_t index, const uint8_t* bigEndian) {
    uint16_t value = static_cast<uint16_t>(bigEndian[0] << 8 | bigEndian[1]);
    std::memcpy(out + 2 * index, &value, 2);
}

// One row as libtiff takes it: alpha after the colour samples, 16-bit in host order, bi-level
// inverted to min-is-white.
void PrepareRow(const Bitmap& bitmap, uint32_t y, uint8_t* out) {
    const uint8_t* in = bitmap.samples.data() + y * bitmap.stride;
    if (bitmap.alpha.empty() && bitmap.bitsPerComponent != 16) {
        for (size_t i = 0; i < bitmap.stride; ++i) {
            out[i] = IsBilevel(bitmap) ? static_cast<uint8_t>(~in[i]) : in[i];
        }
        return;
    }
    unsigned bytes = AlphaBytes(bitmap), colors = ComponentCount(bitmap.space);
    unsigned samples = colors + (bitmap.alpha.empty() ? 0 : 1);
    const uint8_t* alpha = AlphaRow(bitmap, y);
    for (uint32_t x = 0; x < bitmap.width; ++x) {
        for (unsigned c = 0; c < samples; ++c) {
            const uint8_t* sample =
                c < colors ? in + (size_t{x} * colors + c) * bytes : alpha + size_t{x} * bytes;
            size_t index = size_t{x} * samples + c;
            if (bytes == 2) {
                PutHostSample(out, index, sample);
            } else {
                out[index] = *sample;
            }
        }
    }
}

}  // namespace

std::vector<uint8_t> WriteTiff(const Bitmap& source, const EncodeOptions& options) {
    Bitmap converted;
    const Bitmap& bitmap = TiffLayout(source, converted);
    std::vector<uint8_t> out;
    TiffHandle handle = TiffHandle::OpenForWriting(out);
    SetFields(handle.get(), bitmap, options);
    unsigned samples = ComponentCount(bitmap.space) + (bitmap.alpha.empty() ? 0 : 1);
    std::vector<uint8_t> row(RowBytes(bitmap.width, samples, bitmap.bitsPerComponent));
    for (uint32_t y = 0; y < bitmap.height; ++y) {
        PrepareRow(bitmap, y, row.data());
        if (TIFFWriteScanline(handle.get(), row.data(), y, 0) < 0) {
            handle.FailWith("cannot write TIFF");
        }
    }
    handle.Finish();
    return out;
}

}  // namespace imaging
