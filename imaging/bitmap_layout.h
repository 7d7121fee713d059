#pragma once

// Creating bitmaps of a given layout and reading their geometry.

#include <cstddef>
#include <cstdint>

#include "imaging/image.h"

namespace imaging {

unsigned ComponentCount(ColorSpace space);

// A bitmap of the given layout with zeroed samples; checks the size against the limits first.
Bitmap MakeBitmap(uint32_t width, uint32_t height, ColorSpace space, uint8_t bitsPerComponent);

// Bytes of one alpha value: 2 for 16-bit bitmaps, else 1.
unsigned AlphaBytes(const Bitmap& bitmap);

// Row y of the alpha plane; null when the bitmap has none.
const uint8_t* AlphaRow(const Bitmap& bitmap, uint32_t y);
uint8_t* AlphaRow(Bitmap& bitmap, uint32_t y);

// Gives the bitmap an alpha plane, every pixel opaque.
void AddOpaqueAlpha(Bitmap& bitmap);

// Removes the alpha plane when every pixel in it is fully opaque.
void DropOpaqueAlpha(Bitmap& bitmap);

// The sample at pixel x of a row of bitmap.bitsPerComponent-bit samples packed MSB first
// (bits 1, 2, 4 or 8; one component).
uint8_t PackedSample(const uint8_t* row, uint32_t x, unsigned bits);

}  // namespace imaging
