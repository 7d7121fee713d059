#pragma once

// A walk over a PNG file's chunk structure that needs no decoder: cheap enough to run before
// libpng allocates anything for what a chunk claims.

#include "codec.h"

namespace imaging {

enum class PngCheck {
    kHeader,      // the chunks before the first IDAT, which is all a header read looks at
    kWhole,       // every chunk up to IEND
    kWholeAndCrc  // every chunk up to IEND, and each one's CRC
};

// Checks the signature and walks the chunks: each chunk's declared length must fit in the bytes
// that follow it. Fails with "truncated PNG data", "not a PNG file" or "damaged PNG: bad CRC in
// chunk XXXX".
void CheckPngStructure(Bytes file, PngCheck check);

}  // namespace imaging
