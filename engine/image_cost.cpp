#include "image_cost.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "imaging/image.h"
#include "pdfwriter/png_proof.h"
#include "platform/input_file.h"
#include "platform/text.h"

namespace engine {
namespace {

// The header of every format lies near the start in all but unusual files. A reader may also
// refuse a header whose pixels could not fit in the bytes it is given (PNG: deflate shrinks at
// most 1032 times), so a large image is looked at again through a longer start, long enough
// for any image within the pixel limit.
constexpr size_t kHeadBytes = 64 * 1024;
constexpr size_t kLongHeadBytes = 2 * 1024 * 1024;

std::optional<imaging::ImageInfo> InspectStart(platform::InputFile& file, size_t bytes) {
    std::vector<uint8_t> head(static_cast<size_t>(std::min<uint64_t>(file.size(), bytes)));
    if (!file.ReadAt(0, head.data(), head.size())) {
        return std::nullopt;
    }
    return imaging::Inspect(head.data(), head.size());
}

// The decoded size the header promises; nullopt when the header cannot be read.
std::optional<uint64_t> PixelBytes(platform::InputFile& file) {
    std::optional<imaging::ImageInfo> info = InspectStart(file, kHeadBytes);
    if (!info && file.size() > kHeadBytes) {
        info = InspectStart(file, kLongHeadBytes);
    }
    if (!info) {
        return std::nullopt;
    }
    const uint64_t samples = uint64_t{info->components} + (info->hasAlpha ? 1 : 0);
    const uint64_t sampleBytes = info->bitsPerComponent > 8 ? 2 : 1;
    return uint64_t{info->width} * info->height * samples * sampleBytes;
}

bool IsPng(const std::vector<uint8_t>& start) {
    constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return start.size() == sizeof kSignature && std::equal(start.begin(), start.end(), kSignature);
}

}  // namespace

uint64_t DecodedSizeOf(const std::wstring& path) {
    platform::InputFile file(platform::PathToNative(path));
    if (!file.ok()) {
        return 0;
    }
    return file.size() + PixelBytes(file).value_or(0);
}

uint64_t PngProofCost(const std::wstring& path) {
    platform::InputFile file(platform::PathToNative(path));
    std::vector<uint8_t> start(8);
    if (!file.ok() || file.size() < start.size() || !file.ReadAt(0, start.data(), start.size()) ||
        !IsPng(start)) {
        return 0;
    }
    return file.size() + std::min(PixelBytes(file).value_or(0), pdf::kProofBufferLimit);
}

}  // namespace engine
