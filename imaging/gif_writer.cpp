// GIF writing over giflib: one frame with a global colour table. Palette images keep their
// palette; grey gets a grey ramp; everything else is quantised to 256 colours (255 and a
// transparent entry when the alpha plane has transparent pixels).

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

#include "bitmap_layout.h"
#include "formats.h"
#include "pixel_convert.h"
#include "quantize.h"
#include "size_limits.h"

namespace imaging {
namespace {

constexpr uint8_t kOpaqueFrom = 128;  // alpha values below this are transparent in a GIF

struct GifPicture {
    PaletteImage image;
    int transparent = -1;
};

bool IsTransparent(const Bitmap& bitmap, size_t pixel) {
    return !bitmap.alpha.empty() && bitmap.alpha[pixel] < kOpaqueFrom;
}

// The indices of a palette or grey bitmap of 8 bits or fewer, one byte each.
std::vector<uint8_t> Indices(const Bitmap& bitmap) {
    std::vector<uint8_t> indices(CheckedMul(bitmap.width, bitmap.height));
    for (uint32_t y = 0; y < bitmap.height; ++y) {
        const uint8_t* row = bitmap.samples.data() + y * bitmap.stride;
        for (uint32_t x = 0; x < bitmap.width; ++x) {
            indices[size_t{y} * bitmap.width + x] = PackedSample(row, x, bitmap.bitsPerComponent);
        }
    }
    return indices;
}

std::vector<uint8_t> GrayRamp(unsigned bits) {
    unsigned levels = 1u << bits;
    std::vector<uint8_t> palette;
    for (unsigned i = 0; i < levels; ++i) {
        uint8_t value = static_cast<uint8_t>(i * 255 / (levels - 1));
        palette.insert(palette.end(), {value, value, value});
    }
    return palette;
}

// Palette and grey bitmaps as they are; transparent pixels get an entry of their own, which
// needs a free slot.
std::optional<GifPicture> KeptPalette(const Bitmap& bitmap) {
    bool indexed = bitmap.space == ColorSpace::kIndexed;
    if ((!indexed && bitmap.space != ColorSpace::kGray) || bitmap.bitsPerComponent > 8) {
        return std::nullopt;
    }
    GifPicture picture{
        {Indices(bitmap), indexed ? bitmap.palette : GrayRamp(bitmap.bitsPerComponent)}};
    bool anyTransparent = false;
    for (size_t i = 0; i < picture.image.indices.size(); ++i) {
        anyTransparent = anyTransparent || IsTransparent(bitmap, i);
    }
    if (!anyTransparent) {
        return picture;
    }
    size_t entries = picture.image.palette.size() / 3;
    if (entries >= 256) {
        return std::nullopt;
    }
    picture.transparent = static_cast<int>(entries);
    picture.image.palette.insert(picture.image.palette.end(), {0, 0, 0});
    for (size_t i = 0; i < picture.image.indices.size(); ++i) {
        if (IsTransparent(bitmap, i)) {
            picture.image.indices[i] = static_cast<uint8_t>(entries);
        }
    }
    return picture;
}

GifPicture QuantizedPicture(const Bitmap& bitmap) {
    bool ready = bitmap.space == ColorSpace::kRgb && bitmap.bitsPerComponent == 8;
    Bitmap converted = ready ? Bitmap{} : GrayToRgb(CmykToRgb(ToDirectColor(bitmap, false)));
    const Bitmap& rgb = ready ? bitmap : converted;
    bool transparency = false;
    for (size_t i = 0; i < rgb.alpha.size() && !transparency; ++i) {
        transparency = IsTransparent(rgb, i);
    }
    GifPicture picture{QuantizeRgb(rgb, transparency ? 255 : 256)};
    if (transparency) {
        picture.transparent = static_cast<int>(picture.image.palette.size() / 3);
        picture.image.palette.insert(picture.image.palette.end(), {0, 0, 0});
        for (size_t i = 0; i < rgb.alpha.size(); ++i) {
            if (IsTransparent(rgb, i)) {
                picture.image.indices[i] = static_cast<uint8_t>(picture.transparent);
            }
        }
    }
    return picture;
}

int AppendToVector(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    try {
        out->insert(out->end(), data, data + length);
        return length;
    } catch (...) {
        return 0;
    }
}

// An encoder writing into a vector; closing it writes the trailer.
class GifEncoder {
public:
    explicit GifEncoder(std::vector<uint8_t>& out) {
        int error = 0;
        gif_ = EGifOpen(&out, AppendToVector, &error);
        if (!gif_) {
            Fail("cannot write GIF: out of memory");
        }
        EGifSetGifVersion(gif_, true);
    }
    ~GifEncoder() {
        if (gif_) {
            int ignored = 0;
            EGifCloseFile(gif_, &ignored);
        }
    }
    GifEncoder(const GifEncoder&) = delete;
    GifEncoder& operator=(const GifEncoder&) = delete;

    GifFileType* gif() const { return gif_; }
    void Check(int result) const {
        if (result == GIF_ERROR) {
            const char* reason = GifErrorString(gif_->Error);
            Fail(std::string("cannot write GIF: ") + (reason ? reason : "unknown error"));
        }
    }
    void Finish() {
        int error = 0;
        GifFileType* gif = gif_;
        gif_ = nullptr;
        if (EGifCloseFile(gif, &error) == GIF_ERROR) {
            Fail("cannot write GIF: the file could not be finished");
        }
    }

private:
    GifFileType* gif_ = nullptr;
};

// A colour table of the next power of two, at least 2 entries, padded with black.
ColorMapObject* ColorTable(const std::vector<uint8_t>& palette) {
    int entries = 2;
    while (entries * 3 < static_cast<int>(palette.size())) {
        entries *= 2;
    }
    GifColorType colors[256] = {};
    for (size_t i = 0; i + 2 < palette.size(); i += 3) {
        colors[i / 3] = {palette[i], palette[i + 1], palette[i + 2]};
    }
    ColorMapObject* table = GifMakeMapObject(entries, colors);
    if (!table) {
        Fail("cannot write GIF: out of memory");
    }
    return table;
}

void WriteScreen(const GifEncoder& encoder, const Bitmap& bitmap, const GifPicture& picture) {
    ColorMapObject* table = ColorTable(picture.image.palette);
    int result = EGifPutScreenDesc(encoder.gif(), static_cast<int>(bitmap.width),
                                   static_cast<int>(bitmap.height), 8, 0, table);
    GifFreeMapObject(table);
    encoder.Check(result);
    if (picture.transparent >= 0) {
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, picture.transparent};
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        encoder.Check(EGifPutExtension(encoder.gif(), GRAPHICS_EXT_FUNC_CODE, 4, extension));
    }
}

void WriteFrame(const GifEncoder& encoder, const Bitmap& bitmap, GifPicture& picture) {
    int width = static_cast<int>(bitmap.width);
    encoder.Check(EGifPutImageDesc(encoder.gif(), 0, 0, width, static_cast<int>(bitmap.height),
                                   false, nullptr));
    for (uint32_t y = 0; y < bitmap.height; ++y) {
        encoder.Check(
            EGifPutLine(encoder.gif(), picture.image.indices.data() + size_t{y} * width, width));
    }
}

}  // namespace

std::vector<uint8_t> WriteGif(const Bitmap& bitmap, const EncodeOptions&) {
    if (bitmap.width > 65535 || bitmap.height > 65535) {
        Fail("image too large for GIF: " + std::to_string(bitmap.width) + " x " +
             std::to_string(bitmap.height));
    }
    std::optional<GifPicture> kept = KeptPalette(bitmap);
    GifPicture picture = kept ? std::move(*kept) : QuantizedPicture(bitmap);
    std::vector<uint8_t> out;
    GifEncoder encoder(out);
    WriteScreen(encoder, bitmap, picture);
    WriteFrame(encoder, bitmap, picture);
    encoder.Finish();
    return out;
}

}  // namespace imaging
