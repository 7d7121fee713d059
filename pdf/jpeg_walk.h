#pragma once

// A walk through a JPEG file's marker segments and entropy-coded data that finds where the
// image really ends and whether its structure holds together, without decoding it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace pdf {

struct JpegWalk {
    bool walked = false;            // every segment and scan read as it should
    size_t end = 0;                 // bytes of the image: through its end marker, or through the
                                    // last scan's data when the file stops there
    bool endMarkerMissing = false;  // the file stops right after scan data, with no end marker
    bool huffman8Bit = false;       // a baseline or progressive Huffman frame of 8-bit samples
    std::string problem;            // why the walk failed
};

// Walks bytes from the start-of-image marker. Segments are skipped by their lengths (so
// thumbnails inside APP segments are passed over whole), frame, scan, table and restart
// segments are checked for consistent lengths, and scan data is followed past stuffed bytes and
// restart markers. What follows the end-of-image marker is not looked at. Pure; any thread.
JpegWalk WalkJpeg(std::span<const uint8_t> bytes);

}  // namespace pdf
