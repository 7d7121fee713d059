#pragma once

// Bounds-checked little- and big-endian loads from a byte view. A load past the end fails with
// the reader's own "truncated ..." reason.

#include <cstddef>
#include <cstdint>
#include <string>

#include "codec.h"

namespace imaging {

class ByteReader {
public:
    ByteReader(Bytes bytes, std::string truncatedReason)
        : bytes_(bytes), truncatedReason_(std::move(truncatedReason)) {}

    size_t size() const { return bytes_.size(); }
    bool Has(size_t offset, size_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    Bytes Slice(size_t offset, size_t count) const;

    uint8_t U8(size_t offset) const;
    uint16_t Le16(size_t offset) const;
    uint32_t Le32(size_t offset) const;
    uint16_t Be16(size_t offset) const;
    uint32_t Be32(size_t offset) const;
    uint16_t U16(size_t offset, bool bigEndian) const {
        return bigEndian ? Be16(offset) : Le16(offset);
    }
    uint32_t U32(size_t offset, bool bigEndian) const {
        return bigEndian ? Be32(offset) : Le32(offset);
    }

private:
    const uint8_t* At(size_t offset, size_t count) const;

    Bytes bytes_;
    std::string truncatedReason_;
};

}  // namespace imaging
