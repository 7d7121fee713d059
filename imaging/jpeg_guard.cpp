#include "jpeg_guard.h"

#include <cstring>

#include "codec.h"

namespace imaging {
namespace {

// Progressive files from real encoders use a dozen scans; thousands only burn time.
constexpr int kMaxScans = 500;

JpegErrorManager* ManagerOf(jpeg_common_struct* cinfo) {
    return reinterpret_cast<JpegErrorManager*>(cinfo->err);
}

[[noreturn]] void StopWith(jpeg_common_struct* cinfo, const char* reason) {
    JpegErrorManager* manager = ManagerOf(cinfo);
    std::snprintf(manager->message, sizeof manager->message, "%s", reason);
    std::longjmp(manager->jump, 1);
}

[[noreturn]] void OnError(jpeg_common_struct* cinfo) {
    int code = cinfo->err->msg_code;
    if (code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE) {
        StopWith(cinfo, "JPEG needs more memory than allowed");
    }
    char text[JMSG_LENGTH_MAX];
    cinfo->err->format_message(cinfo, text);
    JpegErrorManager* manager = ManagerOf(cinfo);
    std::snprintf(manager->message, sizeof manager->message, "damaged JPEG: %s", text);
    std::longjmp(manager->jump, 1);
}

// Warnings that mean pixels are missing or wrong: libjpeg would go on and draw grey or garbled
// rows. Warnings about unusual but readable structure (extraneous bytes between segments, odd
// scan parameters) lose nothing and stay warnings.
bool DataIsCut(int code) {
    return code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER;
}

bool DataIsDamaged(int code) {
    return code == JWRN_HUFF_BAD_CODE || code == JWRN_MUST_RESYNC;
}

void OnMessage(jpeg_common_struct* cinfo, int level) {
    if (level >= 0) {
        return;
    }
    const int code = cinfo->err->msg_code;
    if (DataIsCut(code)) {
        StopWith(cinfo, "truncated JPEG data");
    }
    if (DataIsDamaged(code)) {
        OnError(cinfo);
    }
    cinfo->err->num_warnings++;
}

void OnProgress(jpeg_common_struct* cinfo) {
    auto* decompressor = reinterpret_cast<jpeg_decompress_struct*>(cinfo);
    if (decompressor->input_scan_number > kMaxScans) {
        StopWith(cinfo, "JPEG has too many scans");
    }
}

bool RunGuarded(JpegErrorManager* manager, void (*step)(void*), void* context) {
    if (setjmp(manager->jump)) {
        return false;
    }
    step(context);
    return true;
}

}  // namespace

void InstallJpegErrorManager(jpeg_common_struct* cinfo, JpegErrorManager* manager) {
    std::memset(manager, 0, sizeof *manager);
    cinfo->err = jpeg_std_error(&manager->base);
    manager->base.error_exit = OnError;
    manager->base.emit_message = OnMessage;
    manager->progress.progress_monitor = OnProgress;
}

void RunJpegStep(jpeg_common_struct* cinfo, void (*step)(void*), void* context) {
    if (!RunGuarded(ManagerOf(cinfo), step, context)) {
        Fail(ManagerOf(cinfo)->message);
    }
}

}  // namespace imaging
