#include "format_registry.h"

#include <array>

#include "formats.h"

namespace imaging {
namespace {

// In the order signatures are tried: strong signatures first; camera raw before TIFF because
// many raw formats are TIFF-structured; JBIG, whose header has no magic number, last.
const std::array<FormatCodec, 8> kCodecs = {{
    {kFormatJpeg, LooksLikeJpeg, InspectJpeg, ReadJpeg, WriteJpeg},
    {kFormatPng, LooksLikePng, InspectPng, ReadPng, WritePng},
    {kFormatGif, LooksLikeGif, InspectGif, ReadGif, WriteGif},
    {kFormatMng, LooksLikeMng, InspectMng, ReadMng, nullptr},
    {kFormatBmp, LooksLikeBmp, InspectBmp, ReadBmp, nullptr},
    {kFormatRaw, LooksLikeRaw, InspectRaw, ReadRaw, nullptr},
    {kFormatTiff, LooksLikeTiff, InspectTiff, ReadTiff, WriteTiff},
    {kFormatJbig, LooksLikeJbig, InspectJbig, ReadJbig, nullptr},
}};

}  // namespace

const FormatCodec* FindCodecForContent(Bytes file) {
    for (const FormatCodec& codec : kCodecs) {
        if (codec.looksLike(file)) {
            return &codec;
        }
    }
    return nullptr;
}

const FormatCodec& CodecForContent(Bytes file) {
    if (file.empty()) {
        Fail("empty file");
    }
    const FormatCodec* codec = FindCodecForContent(file);
    if (!codec) {
        Fail("unknown image format");
    }
    return *codec;
}

const FormatCodec* CodecForFormat(uint32_t format) {
    for (const FormatCodec& codec : kCodecs) {
        if (codec.format == format) {
            return &codec;
        }
    }
    return nullptr;
}

}  // namespace imaging
