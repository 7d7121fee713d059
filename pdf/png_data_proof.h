#pragma once

// Proof that a PNG's compressed image data is whole and sound before it is copied into a PDF
// unchanged, where no decoder would notice damage until a reader shows the page.

#include <cstdint>
#include <span>
#include <vector>

#include "pdfwriter/png_proof.h"

namespace pdf {

// Inflates the zlib stream made of the IDAT chunks' data, in order, and checks that it ends
// with a correct Adler-32 exactly after rows rows of rowBytes bytes (each row after its filter
// byte), every filter byte being a PNG filter type (0-4). The memory it takes is bounded: an
// image of at most kProofBufferLimit inflated bytes is inflated in one call into a buffer of its
// size, a larger one through a small window. Pure; any thread.
bool PngDataIsSound(const std::vector<std::span<const uint8_t>>& data, uint64_t rows,
                    uint64_t rowBytes);

}  // namespace pdf
