#pragma once

// Flate-compressed stream objects (ISO 32000-1, 7.4.4), compressed while they are written so
// the compressed data never sits in memory as a whole.

#include <zlib.h>

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "object_writer.h"

namespace pdf {

class DeflateStream {
public:
    // Begins stream object id with /Filter /FlateDecode added to entries.
    DeflateStream(ObjectWriter& writer, uint32_t id, std::string_view entries);
    ~DeflateStream();
    DeflateStream(const DeflateStream&) = delete;
    DeflateStream& operator=(const DeflateStream&) = delete;

    void Write(std::span<const uint8_t> data);
    void Write(std::string_view text);
    // Ends the compressed data and the stream object.
    void Finish();

private:
    void Pump(int flush);

    ObjectWriter& writer_;
    z_stream zlib_{};
    std::vector<uint8_t> chunk_;
};

// Writes data as one compressed stream object; returns nothing, the object is id.
void WriteDeflated(ObjectWriter& writer, uint32_t id, std::string_view entries,
                   std::string_view data);

}  // namespace pdf
