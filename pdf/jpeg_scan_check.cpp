#include "jpeg_scan_check.h"

#include <csetjmp>

// jpeglib.h needs FILE and size_t declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace pdf {
namespace {

// libjpeg's error manager with the jump back out of a failed read and a note of data that
// ran short. Plain data: the jump skips no destructors.
struct CheckErrors {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool ranShort;
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<CheckErrors*>(cinfo->err)->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
    const int code = cinfo->err->msg_code;
    if (level < 0 && (code == JWRN_HIT_MARKER || code == JWRN_JPEG_EOF)) {
        reinterpret_cast<CheckErrors*>(cinfo->err)->ranShort = true;
    }
}

}  // namespace

bool ScanDataIsComplete(std::span<const uint8_t> jpeg) {
    jpeg_decompress_struct cinfo;
    CheckErrors errors;
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    errors.base.emit_message = OnMessage;
    errors.ranShort = false;
    jpeg_create_decompress(&cinfo);
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    jpeg_read_coefficients(&cinfo);
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return !errors.ranShort;
}

}  // namespace pdf
