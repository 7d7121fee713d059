#include "size_limits.h"

#include <atomic>
#include <string>

#include "codec.h"

namespace imaging {
namespace {

std::atomic<uint64_t> maxPixels{178956970};

[[noreturn]] void FailTooLarge() {
    Fail("image too large");
}

std::string SizeText(uint64_t width, uint64_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

uint64_t MaxPixels() {
    return maxPixels.load(std::memory_order_relaxed);
}

void SetMaxPixelsLimit(uint64_t pixels) {
    maxPixels.store(pixels, std::memory_order_relaxed);
}

uint64_t CodecMemoryLimit() {
    constexpr uint64_t kFloor = 64ull << 20;
    uint64_t pixels = MaxPixels();
    if (pixels > (UINT64_MAX >> 5)) {
        return UINT64_MAX >> 1;
    }
    return pixels * 16 > kFloor ? pixels * 16 : kFloor;
}

void CheckImageSize(uint64_t width, uint64_t height) {
    if (width == 0 || height == 0) {
        Fail("invalid image size: " + SizeText(width, height));
    }
    if (width > kMaxSide || height > kMaxSide || width * height > MaxPixels()) {
        Fail("image too large: " + SizeText(width, height));
    }
}

size_t CheckedMul(size_t a, size_t b) {
    size_t product = 0;
    if (__builtin_mul_overflow(a, b, &product)) {
        FailTooLarge();
    }
    return product;
}

size_t CheckedAdd(size_t a, size_t b) {
    size_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        FailTooLarge();
    }
    return sum;
}

size_t RowBytes(uint64_t width, unsigned components, unsigned bits) {
    size_t rowBits = CheckedMul(CheckedMul(static_cast<size_t>(width), components), bits);
    return rowBits / 8 + (rowBits % 8 != 0);
}

}  // namespace imaging
