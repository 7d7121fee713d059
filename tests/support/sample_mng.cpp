#include <zlib.h>

#include "sample_files.h"

namespace samples {
namespace {

void PutBigEndian(File& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

void PutChunk(File& out, const char* type, const File& data) {
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian(
        out, static_cast<uint32_t>(crc32(0, &out[start], static_cast<uInt>(out.size() - start))));
}

}  // namespace

File MakeMng(const std::vector<imaging::Bitmap>& frames) {
    File out = {0x8A, 'M', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    File header;
    for (uint32_t value : {frames[0].width, frames[0].height, 100u, 0u, 0u, 0u, 1u}) {
        PutBigEndian(header, value);  // size, ticks per second, counts, simplicity profile
    }
    PutChunk(out, "MHDR", header);
    for (const imaging::Bitmap& frame : frames) {
        File png = MakePng(frame);
        out.insert(out.end(), png.begin() + 8, png.end());  // the chunks, without the signature
    }
    PutChunk(out, "MEND", {});
    return out;
}

}  // namespace samples
