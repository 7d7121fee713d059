// Camera raw reading over LibRaw: demosaiced with the camera's white balance into 8-bit RGB,
// turned the way the camera recorded. Raw files record no print resolution.

#include <libraw/libraw.h>

#include <cstring>
#include <memory>

#include "bitmap_layout.h"
#include "formats.h"
#include "size_limits.h"
#include "tiff_directory.h"

namespace imaging {
namespace {

enum : uint16_t { kTagMake = 271, kTagDngVersion = 50706 };

// A first directory that names a camera, or a Canon CR2 header.
bool HasCameraTags(Bytes file) {
    if (file.size() >= 10 && file[8] == 'C' && file[9] == 'R') {
        return true;
    }
    std::optional<TiffDirectory> directory = TiffDirectory::Open(file);
    return directory && (directory->HasTag(kTagMake) || directory->HasTag(kTagDngVersion));
}

[[noreturn]] void FailWith(int code) {
    Fail(std::string("camera raw: ") + LibRaw::strerror(code));
}

// A LibRaw processor with the file opened and its sizes checked against the limits.
std::unique_ptr<LibRaw> OpenRaw(Bytes file) {
    auto processor = std::make_unique<LibRaw>(LIBRAW_OPTIONS_NONE);
    uint64_t megabytes = CodecMemoryLimit() >> 20;
    processor->imgdata.params.max_raw_memory_mb =
        static_cast<unsigned>(std::min<uint64_t>(megabytes, 1u << 16));
    int result = processor->open_buffer(const_cast<uint8_t*>(file.data()), file.size());
    if (result != LIBRAW_SUCCESS) {
        FailWith(result);
    }
    const libraw_image_sizes_t& sizes = processor->imgdata.sizes;
    CheckImageSize(sizes.raw_width, sizes.raw_height);
    CheckImageSize(sizes.width, sizes.height);
    return processor;
}

bool LibRawOpens(Bytes file) {
    try {
        OpenRaw(file);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void Check(int result) {
    if (result != LIBRAW_SUCCESS) {
        FailWith(result);
    }
}

Bitmap CopyProcessed(const libraw_processed_image_t& image) {
    if (image.type != LIBRAW_IMAGE_BITMAP || image.bits != 8 ||
        (image.colors != 3 && image.colors != 1)) {
        Fail("camera raw: unexpected output layout");
    }
    Bitmap bitmap = MakeBitmap(image.width, image.height,
                               image.colors == 3 ? ColorSpace::kRgb : ColorSpace::kGray, 8);
    if (image.data_size < bitmap.samples.size()) {
        Fail("camera raw: short output");
    }
    std::memcpy(bitmap.samples.data(), image.data, bitmap.samples.size());
    return bitmap;
}

}  // namespace

bool LooksLikeRaw(Bytes file) {
    if (LooksLikeTiff(file) && !HasCameraTags(file)) {
        return false;
    }
    return LibRawOpens(file);
}

ImageInfo InspectRaw(Bytes file) {
    std::unique_ptr<LibRaw> processor = OpenRaw(file);
    ImageInfo info;
    info.format = kFormatRaw;
    const libraw_image_sizes_t& sizes = processor->imgdata.sizes;
    bool turned = sizes.flip == 5 || sizes.flip == 6;
    info.width = turned ? sizes.height : sizes.width;
    info.height = turned ? sizes.width : sizes.height;
    return info;
}

Decoded ReadRaw(Bytes file) {
    std::unique_ptr<LibRaw> processor = OpenRaw(file);
    processor->imgdata.params.use_camera_wb = 1;
    processor->imgdata.params.output_bps = 8;
    Check(processor->unpack());
    Check(processor->dcraw_process());
    int result = LIBRAW_SUCCESS;
    libraw_processed_image_t* image = processor->dcraw_make_mem_image(&result);
    if (!image) {
        FailWith(result);
    }
    std::unique_ptr<libraw_processed_image_t, void (*)(libraw_processed_image_t*)> owned(
        image, LibRaw::dcraw_clear_mem);
    return {CopyProcessed(*image), {}};
}

}  // namespace imaging
