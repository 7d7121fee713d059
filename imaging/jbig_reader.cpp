// JBIG reading over JBIG-KIT: one plane becomes 1-bit grey (0 black, as everywhere here; JBIG
// itself uses 1 for black), 2 to 8 planes become 8-bit grey through the Gray code JBIG-KIT
// writes by default. JBIG records no resolution.

#include <cstring>

extern "C" {  // jbig.h declares C functions without saying so
#include <jbig.h>
}

#include "bitmap_layout.h"
#include "byte_reader.h"
#include "formats.h"
#include "size_limits.h"

namespace imaging {
namespace {

constexpr size_t kHeaderSize = 20;
constexpr unsigned kMaxPlanes = 8;

struct JbigHeader {
    unsigned planes;
    uint32_t width;
    uint32_t height;
};

// The header of file with a NEWLEN marker's height already applied.
JbigHeader ReadHeader(const std::vector<uint8_t>& file) {
    ByteReader in(Bytes(file), "truncated JBIG data");
    JbigHeader header{in.U8(2), in.Be32(4), in.Be32(8)};
    if (header.planes > kMaxPlanes) {
        Fail("unsupported JBIG with " + std::to_string(header.planes) + " planes");
    }
    CheckImageSize(header.width, header.height);
    return header;
}

// A decoder state released with the object.
class JbigDecoder {
public:
    JbigDecoder() { jbg_dec_init(&state_); }
    ~JbigDecoder() { jbg_dec_free(&state_); }
    JbigDecoder(const JbigDecoder&) = delete;
    JbigDecoder& operator=(const JbigDecoder&) = delete;
    jbg_dec_state* get() { return &state_; }

private:
    jbg_dec_state state_;
};

void Decode(JbigDecoder& decoder, std::vector<uint8_t>& file, const JbigHeader& header) {
    jbg_dec_maxsize(decoder.get(), header.width, header.height);
    size_t used = 0;
    int result = jbg_dec_in(decoder.get(), file.data(), file.size(), &used);
    if (result == JBG_EAGAIN) {
        Fail("truncated JBIG data");
    }
    if (result != JBG_EOK) {
        Fail(std::string("damaged JBIG: ") + jbg_strerror(result));
    }
}

Bitmap SinglePlane(JbigDecoder& decoder, uint32_t width, uint32_t height) {
    Bitmap bitmap = MakeBitmap(width, height, ColorSpace::kGray, 1);
    const uint8_t* plane = jbg_dec_getimage(decoder.get(), 0);
    if (jbg_dec_getsize(decoder.get()) < bitmap.samples.size()) {
        Fail("damaged JBIG: short plane");
    }
    size_t usedBits = size_t{width} % 8;
    for (size_t i = 0; i < bitmap.samples.size(); ++i) {
        bool rowEnd = usedBits && (i + 1) % bitmap.stride == 0;
        uint8_t keep = rowEnd ? static_cast<uint8_t>(0xFF00 >> usedBits) : 0xFF;
        bitmap.samples[i] = static_cast<uint8_t>(~plane[i] & keep);
    }
    return bitmap;
}

struct MergeTarget {
    std::vector<uint8_t>* samples;
    size_t written;
};

void CollectMerged(unsigned char* data, size_t length, void* context) {
    auto* target = static_cast<MergeTarget*>(context);
    size_t room = target->samples->size() - target->written;
    size_t count = length < room ? length : room;
    std::memcpy(target->samples->data() + target->written, data, count);
    target->written += count;
}

Bitmap MergedPlanes(JbigDecoder& decoder, uint32_t width, uint32_t height, unsigned planes) {
    Bitmap bitmap = MakeBitmap(width, height, ColorSpace::kGray, 8);
    MergeTarget target{&bitmap.samples, 0};
    jbg_dec_merge_planes(decoder.get(), 1, CollectMerged, &target);
    unsigned maximum = (1u << planes) - 1;
    for (uint8_t& sample : bitmap.samples) {
        sample =
            static_cast<uint8_t>(std::min(sample, static_cast<uint8_t>(maximum)) * 255 / maximum);
    }
    return bitmap;
}

std::vector<uint8_t> WithFinalHeight(Bytes file) {
    std::vector<uint8_t> copy(file.begin(), file.end());
    jbg_newlen(copy.data(), copy.size());
    return copy;
}

}  // namespace

bool LooksLikeJbig(Bytes file) {
    if (file.size() < kHeaderSize) {
        return false;
    }
    ByteReader in(file, "");
    unsigned lowest = in.U8(0), layers = in.U8(1), planes = in.U8(2);
    bool sizes = in.Be32(4) > 0 && in.Be32(8) > 0 && in.Be32(12) > 0;
    bool flags = (in.U8(18) & 0xF0) == 0 && (in.U8(19) & 0x80) == 0 && in.U8(16) <= 127;
    return in.U8(3) == 0 && lowest <= layers && layers < 32 && planes >= 1 && sizes && flags;
}

ImageInfo InspectJbig(Bytes file) {
    JbigHeader header = ReadHeader(WithFinalHeight(file));
    ImageInfo info;
    info.format = kFormatJbig;
    info.width = header.width;
    info.height = header.height;
    info.space = ColorSpace::kGray;
    info.components = 1;
    info.bitsPerComponent = header.planes == 1 ? 1 : 8;
    return info;
}

Decoded ReadJbig(Bytes file) {
    std::vector<uint8_t> copy = WithFinalHeight(file);
    JbigHeader header = ReadHeader(copy);
    JbigDecoder decoder;
    Decode(decoder, copy, header);
    uint32_t width = static_cast<uint32_t>(jbg_dec_getwidth(decoder.get()));
    uint32_t height = static_cast<uint32_t>(jbg_dec_getheight(decoder.get()));
    CheckImageSize(width, height);
    Bitmap bitmap = header.planes == 1 ? SinglePlane(decoder, width, height)
                                       : MergedPlanes(decoder, width, height, header.planes);
    return {std::move(bitmap), {}};
}

}  // namespace imaging
