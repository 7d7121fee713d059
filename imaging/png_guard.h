#pragma once

// libpng's error handling, kept in one place. libpng reports errors through the error callback
// and then longjmps to png_jmpbuf; RunPngStep is the only function that calls setjmp. Steps
// run under the guard are plain functions that own no objects with destructors, so the jump
// skips no cleanup. Every libpng call that can fail goes through a step.

#include <png.h>

namespace imaging {

struct PngErrorRecord {
    const char* prefix;  // put before libpng's own messages: "damaged PNG"
    char message[200];
};

// Error callbacks for png_create_*_struct; the error pointer must be a PngErrorRecord.
[[noreturn]] void OnPngError(png_structp png, png_const_charp message);
void OnPngWarning(png_structp png, png_const_charp message);

// Stops the running step with reason as it stands; only from inside a step or its callbacks.
[[noreturn]] void StopPng(png_structp png, const char* reason);

// Runs step(context). Throws ImageError with the reason when libpng fails inside it.
void RunPngStep(png_structp png, void (*step)(void* context), void* context);

}  // namespace imaging
