#include "ccitt_embedding.h"

#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace pdf {
namespace {

// A TIFF file read from memory through libtiff's client procedures.
struct MemoryFile {
    std::span<const uint8_t> bytes;
    uint64_t position = 0;
};

tmsize_t ReadMemory(thandle_t handle, void* buffer, tmsize_t size) {
    auto* file = static_cast<MemoryFile*>(handle);
    const uint64_t left =
        file->bytes.size() - std::min<uint64_t>(file->position, file->bytes.size());
    const auto count = static_cast<size_t>(std::min<uint64_t>(left, static_cast<uint64_t>(size)));
    if (count > 0)
        std::memcpy(buffer, file->bytes.data() + file->position, count);
    file->position += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t RefuseWrite(thandle_t, void*, tmsize_t) {
    return 0;
}

toff_t SeekMemory(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (whence == SEEK_CUR)
        offset += file->position;
    if (whence == SEEK_END)
        offset += file->bytes.size();
    file->position = offset;
    return offset;
}

int CloseMemory(thandle_t) {
    return 0;
}
toff_t MemorySize(thandle_t handle) {
    return static_cast<MemoryFile*>(handle)->bytes.size();
}
int NoMapping(thandle_t, void**, toff_t*) {
    return 0;
}
void NoUnmapping(thandle_t, void*, toff_t) {}
int Quiet(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

using TiffPtr = std::unique_ptr<TIFF, decltype(&TIFFClose)>;

TiffPtr OpenQuietly(MemoryFile& file) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, Quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, Quiet, nullptr);
    TIFF* tiff = TIFFClientOpenExt("memory", "rm", &file, ReadMemory, RefuseWrite, SeekMemory,
                                   CloseMemory, MemorySize, NoMapping, NoUnmapping, options);
    TIFFOpenOptionsFree(options);
    return TiffPtr(tiff, TIFFClose);
}

struct FaxLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    int k = 0;  // -1 Group 4, 0 Group 3 one-dimensional, > 0 Group 3 two-dimensional
    bool blackIs1 = false;
    bool byteAligned = false;
    bool reversedBits = false;
    std::span<const uint8_t> strip;
};

uint16_t Field16(TIFF* tiff, uint32_t tag) {
    uint16_t value = 0;
    TIFFGetFieldDefaulted(tiff, tag, &value);
    return value;
}

// The coding mode from the compression tag and its options; false for uncompressed modes.
bool ReadCoding(TIFF* tiff, FaxLayout& fax) {
    const uint16_t compression = Field16(tiff, TIFFTAG_COMPRESSION);
    uint32_t options = 0;
    if (compression == COMPRESSION_CCITTFAX4) {
        TIFFGetField(tiff, TIFFTAG_GROUP4OPTIONS, &options);
        fax.k = -1;
        return (options & GROUP4OPT_UNCOMPRESSED) == 0;
    }
    if (compression != COMPRESSION_CCITTFAX3)
        return false;
    TIFFGetField(tiff, TIFFTAG_GROUP3OPTIONS, &options);
    fax.byteAligned = (options & GROUP3OPT_FILLBITS) != 0;
    fax.k = (options & GROUP3OPT_2DENCODING) != 0 ? std::numeric_limits<int>::max() : 0;
    return (options & GROUP3OPT_UNCOMPRESSED) == 0;
}

bool ReadStrip(TIFF* tiff, std::span<const uint8_t> bytes, FaxLayout& fax) {
    if (TIFFIsTiled(tiff) || TIFFNumberOfStrips(tiff) != 1)
        return false;
    uint64_t* offsets = nullptr;
    uint64_t* counts = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_STRIPOFFSETS, &offsets) ||
        !TIFFGetField(tiff, TIFFTAG_STRIPBYTECOUNTS, &counts) || !offsets || !counts) {
        return false;
    }
    if (counts[0] == 0 || offsets[0] > bytes.size() || counts[0] > bytes.size() - offsets[0]) {
        return false;
    }
    fax.strip = bytes.subspan(offsets[0], counts[0]);
    return true;
}

std::optional<FaxLayout> ReadLayout(std::span<const uint8_t> bytes) {
    MemoryFile file{bytes};
    const TiffPtr tiff = OpenQuietly(file);
    if (!tiff)
        return std::nullopt;
    FaxLayout fax;
    const uint16_t photometric = Field16(tiff.get(), TIFFTAG_PHOTOMETRIC);
    const bool bilevel =
        Field16(tiff.get(), TIFFTAG_BITSPERSAMPLE) == 1 &&
        Field16(tiff.get(), TIFFTAG_SAMPLESPERPIXEL) == 1 &&
        (photometric == PHOTOMETRIC_MINISWHITE || photometric == PHOTOMETRIC_MINISBLACK);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &fax.width);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &fax.height);
    if (!bilevel || fax.width == 0 || fax.height == 0 || !ReadCoding(tiff.get(), fax) ||
        !ReadStrip(tiff.get(), bytes, fax)) {
        return std::nullopt;
    }
    // The coder's "white" runs hold zero bits; with MinIsBlack zero means black.
    fax.blackIs1 = photometric == PHOTOMETRIC_MINISBLACK;
    fax.reversedBits = Field16(tiff.get(), TIFFTAG_FILLORDER) == FILLORDER_LSB2MSB;
    return fax;
}

std::string DecodeParameters(const FaxLayout& fax) {
    std::string parameters = "<</K " + std::to_string(fax.k) + " /Columns " +
                             std::to_string(fax.width) + " /Rows " + std::to_string(fax.height);
    if (fax.blackIs1)
        parameters += " /BlackIs1 true";
    if (fax.k >= 0)
        parameters += " /EndOfLine true";
    if (fax.byteAligned)
        parameters += " /EncodedByteAlign true";
    return parameters + ">>";
}

}  // namespace

std::optional<uint32_t> WriteCcittPassThrough(ObjectWriter& writer,
                                              std::span<const uint8_t> bytes) {
    const std::optional<FaxLayout> fax = ReadLayout(bytes);
    if (!fax)
        return std::nullopt;
    const uint32_t id = writer.Allocate();
    writer.BeginStream(id,
                       "/Type /XObject /Subtype /Image /Width " + std::to_string(fax->width) +
                           " /Height " + std::to_string(fax->height) +
                           " /ColorSpace /DeviceGray /BitsPerComponent 1 /Filter /CCITTFaxDecode"
                           " /DecodeParms " +
                           DecodeParameters(*fax),
                       fax->strip.size());
    if (fax->reversedBits) {
        // Data stored least significant bit first is turned to the order PDF reads.
        std::vector<uint8_t> strip(fax->strip.begin(), fax->strip.end());
        TIFFReverseBits(strip.data(), static_cast<tmsize_t>(strip.size()));
        writer.WriteStreamData(strip.data(), strip.size());
    } else {
        writer.WriteStreamData(fax->strip.data(), fax->strip.size());
    }
    writer.EndStream();
    return id;
}

}  // namespace pdf
