#pragma once

// libjpeg's error handling, kept in one place. libjpeg reports errors by calling error_exit,
// which must not return; here it longjmps back to RunJpegStep, the only function that calls
// setjmp. Steps run under the guard are plain functions that own no objects with destructors,
// so the jump skips no cleanup. Every libjpeg call goes through a step.

#include <csetjmp>

// jpeglib.h needs FILE and size_t declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace imaging {

struct JpegErrorManager {
    jpeg_error_mgr base;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX + 32];
};

// Points cinfo's error handler at manager (before jpeg_create_*). manager->progress is a
// monitor that stops files with more scans than any real encoder writes; a decompressor points
// its progress field at it after creation.
void InstallJpegErrorManager(jpeg_common_struct* cinfo, JpegErrorManager* manager);

// Runs step(context). Throws ImageError with libjpeg's reason when it fails. Scan data that
// ends early counts as failure ("truncated JPEG data"), and so does scan data that cannot be
// decoded ("damaged JPEG: ..."), where libjpeg itself would only warn and draw grey rows.
void RunJpegStep(jpeg_common_struct* cinfo, void (*step)(void* context), void* context);

}  // namespace imaging
