#pragma once

// The table of formats: which reader recognises a file and which writer encodes a format.

#include <cstdint>
#include <vector>

#include "codec.h"

namespace imaging {

struct FormatCodec {
    uint32_t format;
    bool (*looksLike)(Bytes file);
    ImageInfo (*inspect)(Bytes file);
    Decoded (*read)(Bytes file);
    std::vector<uint8_t> (*write)(const Bitmap& bitmap, const EncodeOptions& options);  // or null
};

// The codec whose signature the content carries, or null.
const FormatCodec* FindCodecForContent(Bytes file);

// The codec whose signature the content carries. Fails with "empty file" or "unknown image
// format".
const FormatCodec& CodecForContent(Bytes file);

// The codec of a format number, or null.
const FormatCodec* CodecForFormat(uint32_t format);

}  // namespace imaging
