#include "image_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "format_registry.h"
#include "platform/input_file.h"
#include "size_limits.h"

namespace imaging {
namespace {

// Enough of a file for every signature test but camera raw, which may need more of the file; so
// a file whose start no reader recognises is still read whole up to kUnrecognisedReadLimit.
constexpr size_t kSignatureBytes = 4096;
constexpr uint64_t kUnrecognisedReadLimit = 512ull << 20;

[[noreturn]] void FailOpen(int error) {
    if (error == EINVAL) {
        Fail("not a regular file");
    }
    Fail(std::string("cannot read the file: ") + std::strerror(error));
}

void CheckSignature(platform::InputFile& file) {
    std::string head(std::min<uint64_t>(file.size(), kSignatureBytes), '\0');
    if (!file.ReadAt(0, head.data(), head.size())) {
        FailOpen(file.error());
    }
    Bytes start(reinterpret_cast<const uint8_t*>(head.data()), head.size());
    if (file.size() > kUnrecognisedReadLimit && !FindCodecForContent(start)) {
        Fail("unknown image format");
    }
}

}  // namespace

std::string ReadImageFile(const std::filesystem::path& path) {
    platform::InputFile file(path);
    if (!file.ok()) {
        FailOpen(file.error());
    }
    if (file.size() > CodecMemoryLimit()) {
        Fail("file too large");
    }
    if (file.size() == 0) {
        Fail("empty file");
    }
    CheckSignature(file);
    std::string bytes(file.size(), '\0');
    if (!file.ReadAt(0, bytes.data(), bytes.size())) {
        FailOpen(file.error());
    }
    return bytes;
}

}  // namespace imaging
