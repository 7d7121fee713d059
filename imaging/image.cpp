#include "imaging/image.h"

#include <algorithm>
#include <new>

#include "format_registry.h"
#include "formats.h"
#include "grayscale.h"
#include "icc_profile.h"
#include "image_file.h"
#include "orientation.h"
#include "platform/text.h"
#include "resample.h"
#include "resolution.h"
#include "size_limits.h"

namespace imaging {
namespace {

// A JPEG whose header has been checked and whose pixels are decoded on first use.
struct PendingJpeg {
    std::string file;
    ImageInfo info;
    JpegDecodeOptions options;
    bool orient = false;  // turn the pixels as info.orientation says once they are decoded

    bool SwapsSides() const { return orient && OrientationSwapsSides(info.orientation); }
};

// Ends a JPEG that stops after its scan data with the end marker decoders assume there, once
// every scan is known to be whole: a file cut inside its scan data fails here.
void SupplyJpegEndMarker(std::string& file) {
    file += "\xFF\xD9";
    CheckJpegScanData(Bytes(reinterpret_cast<const uint8_t*>(file.data()), file.size()));
}

}  // namespace

struct Image::State {
    Bitmap bitmap;
    Resolution resolution;
    uint32_t type = kFormatUnknown;
    uint8_t orientation = 1;          // of the pixels as they are now held
    std::vector<uint8_t> iccProfile;  // describes the pixels as they are now held
    bool valid = false;
    std::string error;
    uint8_t jpegQuality = 75;
    std::optional<PendingJpeg> pending;

    // Runs action; a failure leaves its reason in error. True when it succeeded.
    template <typename Action>
    bool Run(Action&& action) {
        try {
            action();
            error.clear();
            return true;
        } catch (const ImageError& failure) {
            error = failure.what();
        } catch (const std::bad_alloc&) {
            error = "out of memory";
        } catch (const std::exception& failure) {
            error = failure.what();
        }
        return false;
    }

    void Reset() {
        uint8_t quality = jpegQuality;
        *this = State{};
        jpegQuality = quality;
    }

    void RequireValid() const {
        if (!valid) {
            Fail("no image");
        }
    }

    void DecodeFrom(Bytes file, std::string* owned);
    void Materialize();
    void GrayScale();
    void Resample(uint32_t width, uint32_t height, int mode);
    void AutoOrient();
};

void Image::State::DecodeFrom(Bytes file, std::string* owned) {
    const FormatCodec& codec = CodecForContent(file);
    if (codec.format == kFormatJpeg) {
        PendingJpeg jpeg{{}, InspectJpeg(file), {}};
        const bool hasEndMarker = JpegHasEndMarker(file);
        jpeg.file = owned ? std::move(*owned) : std::string(file.begin(), file.end());
        if (!hasEndMarker) {
            SupplyJpegEndMarker(jpeg.file);
        }
        resolution = {jpeg.info.xdpi, jpeg.info.ydpi};
        orientation = jpeg.info.orientation;
        iccProfile = jpeg.info.iccProfile;
        pending = std::move(jpeg);
    } else {
        Decoded decoded = codec.read(file);
        bitmap = std::move(decoded.bitmap);
        resolution = decoded.resolution;
        orientation = decoded.orientation;
        iccProfile = std::move(decoded.iccProfile);
    }
    type = codec.format;
    valid = true;
}

// Decodes a pending JPEG; when that fails the image is no longer valid.
void Image::State::Materialize() {
    RequireValid();
    if (!pending) {
        return;
    }
    PendingJpeg jpeg = std::move(*pending);
    pending.reset();
    valid = false;
    Bytes file(reinterpret_cast<const uint8_t*>(jpeg.file.data()), jpeg.file.size());
    bitmap = ReadJpegScaled(file, jpeg.options).bitmap;
    if (jpeg.orient) {
        bitmap = OrientBitmap(bitmap, jpeg.info.orientation);
    }
    valid = true;
}

void Image::State::AutoOrient() {
    RequireValid();
    if (orientation == 1) {
        return;
    }
    if (pending) {
        pending->orient = true;
    } else {
        bitmap = OrientBitmap(bitmap, orientation);
    }
    if (OrientationSwapsSides(orientation)) {
        std::swap(resolution.x, resolution.y);
    }
    orientation = 1;
}

void Image::State::GrayScale() {
    RequireValid();
    iccProfile = ProfileFor(iccProfile, ColorSpace::kGray);  // a colour profile no longer fits
    if (pending && pending->info.space != ColorSpace::kCmyk) {
        pending->options.grayscale = true;
        return;
    }
    Materialize();
    if (bitmap.space != ColorSpace::kGray) {
        bitmap = ToGray(bitmap);
    }
}

void Image::State::Resample(uint32_t width, uint32_t height, int mode) {
    RequireValid();
    ResampleFilter filter = FilterForMode(mode);
    width = std::max(width, 1u);
    height = std::max(height, 1u);
    CheckImageSize(width, height);
    if (pending) {
        const bool swap = pending->SwapsSides();
        pending->options.scaleDenominator =
            PrescaleDenominator(pending->info.width, pending->info.height, swap ? height : width,
                                swap ? width : height);
    }
    Materialize();
    if (width != bitmap.width || height != bitmap.height) {
        bitmap = ResampleBitmap(bitmap, width, height, filter);
    }
}

Image::Image() : state_(std::make_unique<State>()) {}
Image::~Image() = default;
Image::Image(Image&&) noexcept = default;
Image& Image::operator=(Image&&) noexcept = default;

bool Image::Load(const std::wstring& path, uint32_t) {
    state_->Reset();
    return state_->Run([&] {
        std::string bytes = ReadImageFile(platform::PathToNative(path));
        Bytes content(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        state_->DecodeFrom(content, &bytes);
    });
}

bool Image::Decode(const uint8_t* data, size_t size, uint32_t) {
    state_->Reset();
    return state_->Run([&] { state_->DecodeFrom(Bytes(data, data ? size : 0), nullptr); });
}

bool Image::IsValid() const {
    return state_->valid;
}

const std::string& Image::GetLastError() const {
    return state_->error;
}

uint32_t Image::GetWidth() const {
    if (!state_->valid) {
        return 0;
    }
    const std::optional<PendingJpeg>& pending = state_->pending;
    if (pending) {
        return pending->SwapsSides() ? pending->info.height : pending->info.width;
    }
    return state_->bitmap.width;
}

uint32_t Image::GetHeight() const {
    if (!state_->valid) {
        return 0;
    }
    const std::optional<PendingJpeg>& pending = state_->pending;
    if (pending) {
        return pending->SwapsSides() ? pending->info.width : pending->info.height;
    }
    return state_->bitmap.height;
}

uint32_t Image::GetXDPI() const {
    return state_->resolution.x;
}
uint32_t Image::GetYDPI() const {
    return state_->resolution.y;
}
void Image::SetXDPI(uint32_t dpi) {
    state_->resolution.x = dpi ? dpi : kDefaultDpi;
}
void Image::SetYDPI(uint32_t dpi) {
    state_->resolution.y = dpi ? dpi : kDefaultDpi;
}

bool Image::Resample(uint32_t width, uint32_t height, int mode) {
    return state_->Run([&] { state_->Resample(width, height, mode); });
}

uint32_t Image::GetType() const {
    return state_->valid ? state_->type : kFormatUnknown;
}

const std::vector<uint8_t>& Image::GetIccProfile() const {
    static const std::vector<uint8_t> kNone;
    return state_->valid ? state_->iccProfile : kNone;
}

uint32_t Image::GetOrientation() const {
    return state_->valid ? state_->orientation : 1;
}

bool Image::AutoOrient() {
    return state_->Run([&] { state_->AutoOrient(); });
}

void Image::SetJpegQuality(uint8_t quality) {
    state_->jpegQuality = quality > 100 ? 100 : quality;
}

bool Image::IsIndexed() const {
    return state_->valid && !state_->pending && state_->bitmap.space == ColorSpace::kIndexed;
}

bool Image::GrayScale() {
    return state_->Run([&] { state_->GrayScale(); });
}

bool Image::Encode(std::vector<uint8_t>& block, uint32_t format) {
    block.clear();
    return state_->Run([&] {
        const FormatCodec* codec = CodecForFormat(format);
        if (!codec || !codec->write) {
            Fail("cannot encode to format " + std::to_string(format));
        }
        state_->Materialize();
        block = codec->write(state_->bitmap,
                             {state_->resolution, state_->jpegQuality, state_->iccProfile});
    });
}

void Image::DestroyFrames() {}

void Image::Destroy() {
    state_->Reset();
}

const Bitmap& Image::GetBitmap() const {
    static const Bitmap kEmpty;
    if (!state_->valid || !state_->Run([&] { state_->Materialize(); })) {
        return kEmpty;
    }
    return state_->bitmap;
}

void Image::SetMaxPixels(uint64_t pixels) {
    SetMaxPixelsLimit(pixels);
}

}  // namespace imaging
