#pragma once

// PNG files whose compressed data PDF can carry unchanged: the IDAT data becomes a Flate
// stream with the PNG predictor (ISO 32000-1, 7.4.4.4), the palette an Indexed colour space and
// tRNS a colour-key mask (8.9.6.4).

#include <cstdint>
#include <optional>
#include <span>

#include "object_writer.h"

namespace pdf {

// Writes the image XObject and returns its object number, or nullopt when the file is not a
// PNG that can pass through: interlaced, deeper than 8 bits, with an alpha channel, with a
// palette transparency that is not one run of fully transparent entries, or damaged. Nothing is
// written then.
std::optional<uint32_t> WritePngPassThrough(ObjectWriter& writer, std::span<const uint8_t> bytes);

}  // namespace pdf
