#pragma once

// Whether a JPEG's entropy-coded data is all there.

#include <cstdint>
#include <span>

namespace pdf {

// Reads every scan of the JPEG in jpeg (which must end with its end-of-image marker) into
// coefficients, without computing pixels; true when the data of every scan ran to its end,
// false when a scan stops short (a file cut inside its scan data, with the end marker put
// after the cut) or the file cannot be read. Any thread.
bool ScanDataIsComplete(std::span<const uint8_t> jpeg);

}  // namespace pdf
