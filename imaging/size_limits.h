#pragma once

// Limits every decoder applies before it allocates, and overflow-checked size arithmetic.

#include <cstddef>
#include <cstdint>

#include "imaging/image.h"

namespace imaging {

// No side may exceed this, whatever the pixel limit, so the format libraries' int arithmetic
// on rows and sides cannot overflow.
constexpr uint32_t kMaxSide = 1u << 24;

uint64_t MaxPixels();
void SetMaxPixelsLimit(uint64_t pixels);

// Bytes a format library may allocate for one image: room for the largest allowed image at
// 16 bytes per pixel, at least 64 MiB.
uint64_t CodecMemoryLimit();

// Fails with "invalid image size: W x H" for a zero side and with "image too large: W x H"
// beyond kMaxSide or the pixel limit.
void CheckImageSize(uint64_t width, uint64_t height);

// a * b and a + b, failing with "image too large" instead of wrapping.
size_t CheckedMul(size_t a, size_t b);
size_t CheckedAdd(size_t a, size_t b);

// Bytes in one row of width pixels of components samples of bits each, rounded up to bytes.
size_t RowBytes(uint64_t width, unsigned components, unsigned bits);

}  // namespace imaging
