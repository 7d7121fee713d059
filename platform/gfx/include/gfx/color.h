#pragma once

// Colours travel through the toolkit as colour references 0x00BBGGRR with a separate opacity
// 0-255. This is the one place where they become Qt's 0xAARRGGBB.

#include <QColor>
#include <algorithm>

#include "gfx/wintypes.h"

// Opacity values outside 0-255 are clamped; the top byte of colour is ignored.
constexpr std::uint32_t ArgbFromColorRef(COLORREF colour, int opacity) {
    const std::uint32_t alpha = static_cast<std::uint32_t>(std::clamp(opacity, 0, 255));
    const std::uint32_t red = colour & 0xFFu;
    const std::uint32_t green = (colour >> 8) & 0xFFu;
    const std::uint32_t blue = (colour >> 16) & 0xFFu;
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

inline QColor QColorFromRef(COLORREF colour, int opacity = 255) {
    return QColor::fromRgba(ArgbFromColorRef(colour, opacity));
}

// Packed colour words keep an opacity in the top byte and a colour reference below it.
constexpr COLORREF PackedColorRef(DWORD packed) {
    return packed & 0x00FFFFFFu;
}
constexpr int PackedOpacity(DWORD packed) {
    return static_cast<int>(packed >> 24);
}
