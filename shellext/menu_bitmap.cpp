#include "menu_bitmap.h"

#include <array>
#include <cstdint>

namespace shellext {
namespace {

constexpr int kSide = 16;
constexpr std::uint32_t kClear = 0x00000000;
constexpr std::uint32_t kPaper = 0xFFFFFFFF;
constexpr std::uint32_t kEdge = 0xFF6E6E6E;
constexpr std::uint32_t kFold = 0xFFC8C8C8;
constexpr std::uint32_t kBand = 0xFFD0312D;

// A sheet of paper with a folded top-right corner and a red band across its lower half.
std::uint32_t PixelAt(int x, int y) {
    const bool inSheet = x >= 2 && x <= 13 && y >= 1 && y <= 14;
    const bool cutCorner = x + (14 - y) > 23;  // above the fold's diagonal
    if (!inSheet || cutCorner) {
        return kClear;
    }
    if (x == 2 || x == 13 || y == 1 || y == 14 || x + (14 - y) == 23) {
        return kEdge;
    }
    if (x >= 10 && y <= 4) {
        return kFold;
    }
    return (y >= 8 && y <= 11) ? kBand : kPaper;
}

std::array<std::uint32_t, kSide * kSide> DrawSheet() {
    std::array<std::uint32_t, kSide * kSide> pixels{};
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            pixels[y * kSide + x] = PixelAt(x, y);
        }
    }
    return pixels;
}

}  // namespace

com::HBITMAP LoadBitmapResource(int id) {
    static const auto pixels = DrawSheet();
    static const com::HBITMAP__ sheet{kSide, kSide, pixels.data()};
    return id == kMenuBitmapId ? &sheet : nullptr;
}

}  // namespace shellext
