#include "byte_reader.h"

namespace imaging {

const uint8_t* ByteReader::At(size_t offset, size_t count) const {
    if (!Has(offset, count)) {
        Fail(truncatedReason_);
    }
    return bytes_.data() + offset;
}

Bytes ByteReader::Slice(size_t offset, size_t count) const {
    return {At(offset, count), count};
}

uint8_t ByteReader::U8(size_t offset) const {
    return *At(offset, 1);
}

uint16_t ByteReader::Le16(size_t offset) const {
    const uint8_t* p = At(offset, 2);
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t ByteReader::Le32(size_t offset) const {
    const uint8_t* p = At(offset, 4);
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t ByteReader::Be16(size_t offset) const {
    const uint8_t* p = At(offset, 2);
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

uint32_t ByteReader::Be32(size_t offset) const {
    const uint8_t* p = At(offset, 4);
    return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

}  // namespace imaging
