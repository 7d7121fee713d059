#pragma once

// Colour spaces for image samples: an embedded ICC profile as an ICCBased colour space
// (ISO 32000-1, 8.6.5.5) where it fits the samples, else the device space of their colours.

#include <cstdint>
#include <span>
#include <string>

#include "object_writer.h"

namespace pdf {

// The /ColorSpace value for samples of components colours (1, 3 or 4). A well-formed profile
// describing that many components is written as a compressed stream with /N and the matching
// device space as /Alternate, and "[/ICCBased n 0 R]" returned; anything else (no profile, a
// malformed one, one for other samples) gives "/DeviceGray", "/DeviceRGB" or "/DeviceCMYK" and
// writes nothing.
std::string SampleColorSpace(ObjectWriter& writer, std::span<const uint8_t> profile,
                             unsigned components);

}  // namespace pdf
