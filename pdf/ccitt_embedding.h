#pragma once

// Bi-level TIFF files compressed with CCITT Group 3 or 4 as CCITTFaxDecode image XObjects
// (ISO 32000-1, 7.4.6): the compressed strip is copied without decoding.

#include <cstdint>
#include <optional>
#include <span>

#include "object_writer.h"

namespace pdf {

// Writes the first image of the TIFF file and returns its object number, or nullopt when it is
// not a single-strip, untiled, one-bit CCITT image in compressed modes only (such files are
// decoded instead). Nothing is written then.
std::optional<uint32_t> WriteCcittPassThrough(ObjectWriter& writer, std::span<const uint8_t> bytes);

}  // namespace pdf
