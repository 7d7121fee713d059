#include <new>

#include "format_registry.h"
#include "formats.h"
#include "imaging/image.h"

namespace imaging {

std::optional<ImageInfo> Inspect(const uint8_t* data, size_t size, std::string* error) {
    std::string reason;
    try {
        Bytes file(data, data ? size : 0);
        return CodecForContent(file).inspect(file);
    } catch (const std::bad_alloc&) {
        reason = "out of memory";
    } catch (const std::exception& failure) {
        reason = failure.what();
    }
    if (error) {
        *error = reason;
    }
    return std::nullopt;
}

bool CheckJpegScans(const uint8_t* data, size_t size, std::string* error) {
    try {
        CheckJpegScanData(Bytes(data, data ? size : 0));
        return true;
    } catch (const std::bad_alloc&) {
        if (error) {
            *error = "out of memory";
        }
    } catch (const std::exception& failure) {
        if (error) {
            *error = failure.what();
        }
    }
    return false;
}

}  // namespace imaging
