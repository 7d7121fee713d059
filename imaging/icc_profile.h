#pragma once

// ICC colour profiles carried from a file's decoding to its encoding: gathered from JPEG APP2
// segments, checked, and kept only where they describe the samples they travel with.

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/image.h"

namespace imaging {

// Colour components a picture of this layout has as a profile sees it (a palette's entries are
// RGB): 1, 3 or 4.
unsigned ProfileComponents(ColorSpace space);

// True when the profile is well formed and describes samples of space.
bool ProfileDescribes(std::span<const uint8_t> profile, ColorSpace space);

// The profile when it is well formed and describes samples of space; else empty.
std::vector<uint8_t> ProfileFor(std::span<const uint8_t> profile, ColorSpace space);

// The profile a JPEG's APP2 "ICC_PROFILE" segments carry, in their sequence order; empty when
// there is none or the segments are inconsistent (missing, repeated or disagreeing on their
// count). Each segment is given as its data after the marker's length field.
std::vector<uint8_t> JoinJpegProfileChunks(const std::vector<std::span<const uint8_t>>& segments);

}  // namespace imaging
