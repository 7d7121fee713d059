#include <gif_lib.h>

#include <stdexcept>

#include "sample_files.h"

namespace samples {
namespace {

int Append(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<File*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

ColorMapObject* MakeColorMap(const imaging::Bitmap& picture) {
    GifColorType colors[256] = {};
    for (size_t i = 0; i + 2 < picture.palette.size() && i / 3 < 256; i += 3) {
        colors[i / 3] = {picture.palette[i], picture.palette[i + 1], picture.palette[i + 2]};
    }
    return GifMakeMapObject(256, colors);
}

void Check(int result) {
    if (result != GIF_OK) {
        throw std::runtime_error("giflib refused the test picture");
    }
}

void PutFrame(GifFileType* gif, const imaging::Bitmap& picture, const GifOptions& options,
              ColorMapObject* local) {
    if (options.transparentIndex >= 0) {
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, options.transparentIndex};
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension));
    }
    int width = static_cast<int>(picture.width), height = static_cast<int>(picture.height);
    Check(
        EGifPutImageDesc(gif, options.left, options.top, width, height, options.interlace, local));
    static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < (options.interlace ? 4 : 1); ++pass) {
        int step = options.interlace ? kStep[pass] : 1;
        for (int y = options.interlace ? kStart[pass] : 0; y < height; y += step) {
            auto* row = const_cast<GifPixelType*>(picture.samples.data() + y * picture.stride);
            Check(EGifPutLine(gif, row, width));
        }
    }
}

}  // namespace

File MakeGif(const imaging::Bitmap& picture, const GifOptions& options) {
    File out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, Append, &error);
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = MakeColorMap(picture);
    ColorMapObject* local = options.localColorTable ? MakeColorMap(picture) : nullptr;
    int screenWidth = options.screenWidth ? options.screenWidth : static_cast<int>(picture.width);
    int screenHeight =
        options.screenHeight ? options.screenHeight : static_cast<int>(picture.height);
    Check(EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, 0,
                            options.localColorTable ? nullptr : global));
    PutFrame(gif, picture, options, local);
    if (options.secondFrame) {
        PutFrame(gif, picture, options, local);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(global);
    GifFreeMapObject(local);
    return out;
}

}  // namespace samples
