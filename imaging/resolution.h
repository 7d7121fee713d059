#pragma once

// Conversions from the resolution units files record to dots per inch. Every result lies in
// 1-100000; a missing value, or one that rounds to a value outside that range, gives 72.

#include <cstdint>

namespace imaging {

constexpr uint32_t kDefaultDpi = 72;

uint32_t DpiFromPixelsPerMetre(uint32_t pixelsPerMetre);
uint32_t PixelsPerMetreFromDpi(uint32_t dpi);

// value pixels per inch (perCentimetre false) or per centimetre (true).
uint32_t DpiFromDensity(double value, bool perCentimetre);

}  // namespace imaging
