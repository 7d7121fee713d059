// GIF reading over giflib: the first frame, placed on its logical screen, as an 8-bit palette
// image; the transparent index of its graphic control block becomes the alpha plane.

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

#include "bitmap_layout.h"
#include "formats.h"
#include "size_limits.h"

namespace imaging {
namespace {

struct GifCursor {
    Bytes file;
    size_t position = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int length) {
    auto* cursor = static_cast<GifCursor*>(gif->UserData);
    size_t count =
        std::min<size_t>(length < 0 ? 0 : length, cursor->file.size() - cursor->position);
    std::memcpy(out, cursor->file.data() + cursor->position, count);
    cursor->position += count;
    return static_cast<int>(count);
}

std::string Reason(int code) {
    if (code == D_GIF_ERR_READ_FAILED) {
        return "truncated GIF data";
    }
    const char* text = GifErrorString(code);
    return std::string("damaged GIF: ") + (text ? text : "unknown error");
}

class GifReader {
public:
    explicit GifReader(Bytes file) : cursor_{file} {
        int error = 0;
        gif_ = DGifOpen(&cursor_, ReadFromMemory, &error);
        if (!gif_) {
            Fail(Reason(error));
        }
    }
    ~GifReader() {
        int ignored = 0;
        DGifCloseFile(gif_, &ignored);
    }
    GifReader(const GifReader&) = delete;
    GifReader& operator=(const GifReader&) = delete;

    GifFileType* gif() const { return gif_; }
    void Check(int result) const {
        if (result == GIF_ERROR) {
            Fail(Reason(gif_->Error));
        }
    }

private:
    GifCursor cursor_;
    GifFileType* gif_ = nullptr;
};

struct FrameHeader {
    GifImageDesc desc{};
    int transparent = -1;  // index, or -1 when the frame has none
};

void ReadExtension(const GifReader& reader, FrameHeader& frame) {
    int code = 0;
    GifByteType* block = nullptr;
    reader.Check(DGifGetExtension(reader.gif(), &code, &block));
    GraphicsControlBlock control;
    if (code == GRAPHICS_EXT_FUNC_CODE && block &&
        DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) {
        frame.transparent = control.TransparentColor;
    }
    while (block) {
        reader.Check(DGifGetExtensionNext(reader.gif(), &block));
    }
}

void CheckPlacement(const GifFileType& gif, const GifImageDesc& desc) {
    if (desc.Width <= 0 || desc.Height <= 0) {
        Fail("damaged GIF: empty frame");
    }
    if (desc.Left < 0 || desc.Top < 0 || desc.Width > gif.SWidth - desc.Left ||
        desc.Height > gif.SHeight - desc.Top) {
        Fail("GIF frame lies outside its screen");
    }
}

// Reads the records before the first image and its descriptor; checks the screen size.
FrameHeader ReadFirstFrameHeader(const GifReader& reader) {
    GifFileType* gif = reader.gif();
    CheckImageSize(static_cast<uint32_t>(std::max(gif->SWidth, 0)),
                   static_cast<uint32_t>(std::max(gif->SHeight, 0)));
    FrameHeader frame;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        reader.Check(DGifGetRecordType(gif, &type));
        if (type == EXTENSION_RECORD_TYPE) {
            ReadExtension(reader, frame);
        } else if (type == IMAGE_DESC_RECORD_TYPE) {
            reader.Check(DGifGetImageDesc(gif));
            frame.desc = gif->Image;
            CheckPlacement(*gif, frame.desc);
            return frame;
        } else {
            Fail("GIF contains no image");
        }
    }
}

const ColorMapObject& ColorTable(const GifFileType& gif, const FrameHeader& frame) {
    const ColorMapObject* map = frame.desc.ColorMap ? frame.desc.ColorMap : gif.SColorMap;
    if (!map || !map->Colors || map->ColorCount <= 0) {
        Fail("damaged GIF: no colour table");
    }
    return *map;
}

// The frame's indices, rows in display order.
std::vector<uint8_t> ReadFramePixels(const GifReader& reader, const GifImageDesc& desc) {
    size_t width = static_cast<size_t>(desc.Width);
    std::vector<uint8_t> pixels(CheckedMul(width, static_cast<size_t>(desc.Height)));
    static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    int passes = desc.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        int step = desc.Interlace ? kStep[pass] : 1;
        for (int y = desc.Interlace ? kStart[pass] : 0; y < desc.Height; y += step) {
            reader.Check(DGifGetLine(reader.gif(), pixels.data() + y * width, desc.Width));
        }
    }
    GifRecordType next = UNDEFINED_RECORD_TYPE;
    reader.Check(DGifGetRecordType(reader.gif(), &next));
    return pixels;
}

void PlaceFrame(const std::vector<uint8_t>& pixels, const GifImageDesc& desc, Bitmap& screen) {
    size_t width = static_cast<size_t>(desc.Width);
    for (int y = 0; y < desc.Height; ++y) {
        uint8_t* row = screen.samples.data() + (desc.Top + y) * screen.stride + desc.Left;
        std::memcpy(row, pixels.data() + y * width, width);
    }
}

// Transparent pixels go to the alpha plane; indices past the colour table become 0.
void SettleIndices(Bitmap& screen, int transparent, size_t colors) {
    bool used = transparent >= 0 && std::find(screen.samples.begin(), screen.samples.end(),
                                              transparent) != screen.samples.end();
    if (used) {
        screen.alpha.resize(screen.samples.size());
        for (size_t i = 0; i < screen.samples.size(); ++i) {
            screen.alpha[i] = screen.samples[i] == transparent ? 0 : 0xFF;
        }
    }
    for (uint8_t& index : screen.samples) {
        index = index < colors ? index : 0;
    }
}

}  // namespace

bool LooksLikeGif(Bytes file) {
    return file.size() >= 6 && (std::memcmp(file.data(), "GIF87a", 6) == 0 ||
                                std::memcmp(file.data(), "GIF89a", 6) == 0);
}

ImageInfo InspectGif(Bytes file) {
    GifReader reader(file);
    FrameHeader frame = ReadFirstFrameHeader(reader);
    ImageInfo info;
    info.format = kFormatGif;
    info.width = static_cast<uint32_t>(reader.gif()->SWidth);
    info.height = static_cast<uint32_t>(reader.gif()->SHeight);
    info.space = ColorSpace::kIndexed;
    info.components = 1;
    info.hasAlpha = frame.transparent >= 0;
    return info;
}

Decoded ReadGif(Bytes file) {
    GifReader reader(file);
    const GifFileType& gif = *reader.gif();
    FrameHeader frame = ReadFirstFrameHeader(reader);
    const ColorMapObject& table = ColorTable(gif, frame);
    Bitmap screen = MakeBitmap(static_cast<uint32_t>(gif.SWidth),
                               static_cast<uint32_t>(gif.SHeight), ColorSpace::kIndexed, 8);
    int fill = frame.transparent >= 0 ? frame.transparent : gif.SBackGroundColor;
    std::fill(screen.samples.begin(), screen.samples.end(), static_cast<uint8_t>(fill));
    PlaceFrame(ReadFramePixels(reader, frame.desc), frame.desc, screen);
    SettleIndices(screen, frame.transparent, static_cast<size_t>(table.ColorCount));
    for (int i = 0; i < table.ColorCount && i < 256; ++i) {
        const GifColorType& color = table.Colors[i];
        screen.palette.insert(screen.palette.end(), {color.Red, color.Green, color.Blue});
    }
    return {std::move(screen), {}};
}

}  // namespace imaging
