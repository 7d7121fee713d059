#include "png_guard.h"

#include <csetjmp>
#include <cstdio>

#include "codec.h"

namespace imaging {
namespace {

PngErrorRecord* RecordOf(png_structp png) {
    return static_cast<PngErrorRecord*>(png_get_error_ptr(png));
}

bool RunGuarded(png_structp png, void (*step)(void*), void* context) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    step(context);
    return true;
}

}  // namespace

void OnPngError(png_structp png, png_const_charp message) {
    PngErrorRecord* record = RecordOf(png);
    std::snprintf(record->message, sizeof record->message, "%s: %s", record->prefix, message);
    png_longjmp(png, 1);  // returning would make libpng print the message first
}

void OnPngWarning(png_structp, png_const_charp) {}

void StopPng(png_structp png, const char* reason) {
    std::snprintf(RecordOf(png)->message, sizeof RecordOf(png)->message, "%s", reason);
    png_longjmp(png, 1);
}

void RunPngStep(png_structp png, void (*step)(void*), void* context) {
    if (!RunGuarded(png, step, context)) {
        Fail(RecordOf(png)->message);
    }
}

}  // namespace imaging
