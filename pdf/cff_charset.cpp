#include "cff_charset.h"

namespace pdf {
namespace {

// Bounds-checked big-endian reading; a read past the end sets failed and yields 0.
class Reader {
public:
    explicit Reader(std::span<const uint8_t> data, size_t at = 0) : data_(data), at_(at) {}

    uint32_t Number(size_t bytes) {
        uint32_t value = 0;
        for (size_t i = 0; i < bytes; ++i)
            value = value << 8 | Byte();
        return value;
    }
    uint8_t Byte() {
        if (at_ >= data_.size()) {
            failed_ = true;
            return 0;
        }
        return data_[at_++];
    }
    size_t at() const { return at_; }
    void Seek(size_t at) { at_ = at; }
    bool failed() const { return failed_; }

private:
    std::span<const uint8_t> data_;
    size_t at_;
    bool failed_ = false;
};

// An INDEX structure: element count and the offset of each element's data.
struct Index {
    uint32_t count = 0;
    size_t firstData = 0;  // offset of element 0
    size_t end = 0;        // offset just past the INDEX
    size_t firstSize = 0;  // size of element 0
};

Index ReadIndex(Reader& reader) {
    Index index{.count = reader.Number(2)};
    if (index.count == 0) {
        index.end = reader.at();
        return index;
    }
    const uint32_t offSize = reader.Byte();
    const size_t offsets = reader.at();
    const size_t dataBase = offsets + (index.count + 1) * offSize - 1;
    const uint32_t first = reader.Number(offSize);
    const uint32_t second = reader.Number(offSize);
    reader.Seek(offsets + index.count * offSize);
    const uint32_t last = reader.Number(offSize);
    index.firstData = dataBase + first;
    index.firstSize = second >= first ? second - first : 0;
    index.end = dataBase + last;
    reader.Seek(index.end);
    return index;
}

struct TopDict {
    size_t charset = 0;
    size_t charStrings = 0;
    bool cidKeyed = false;
};

// Skips one DICT operand whose first byte is b0 (CFF 4: integers and reals).
void SkipOperand(Reader& reader, uint8_t b0) {
    if (b0 == 28)
        reader.Number(2);
    if (b0 == 29)
        reader.Number(4);
    if (b0 >= 247 && b0 <= 254)
        reader.Byte();
    if (b0 == 30) {
        uint8_t nibbles;
        do
            nibbles = reader.Byte();
        while (!reader.failed() && (nibbles & 0x0F) != 0x0F && (nibbles >> 4) != 0x0F);
    }
}

int32_t OperandValue(Reader reader, uint8_t b0) {
    if (b0 >= 32 && b0 <= 246)
        return b0 - 139;
    if (b0 >= 247 && b0 <= 250)
        return (b0 - 247) * 256 + reader.Byte() + 108;
    if (b0 >= 251 && b0 <= 254)
        return -(b0 - 251) * 256 - reader.Byte() - 108;
    if (b0 == 28)
        return static_cast<int16_t>(reader.Number(2));
    if (b0 == 29)
        return static_cast<int32_t>(reader.Number(4));
    return 0;
}

TopDict ReadTopDict(Reader reader, size_t end) {
    TopDict dict;
    int32_t lastOperand = 0;
    while (reader.at() < end && !reader.failed()) {
        const uint8_t b0 = reader.Byte();
        if (b0 >= 28 && b0 != 31 && b0 != 255) {
            lastOperand = OperandValue(reader, b0);
            SkipOperand(reader, b0);
            continue;
        }
        const int op = b0 == 12 ? 1200 + reader.Byte() : b0;
        if (op == 15)
            dict.charset = static_cast<size_t>(lastOperand);
        if (op == 17)
            dict.charStrings = static_cast<size_t>(lastOperand);
        if (op == 1230)
            dict.cidKeyed = true;
    }
    return dict;
}

std::vector<uint16_t> ReadCharset(Reader& reader, uint32_t glyphCount) {
    std::vector<uint16_t> cids(1, 0);
    const uint8_t format = reader.Byte();
    while (cids.size() < glyphCount && !reader.failed()) {
        if (format == 0) {
            cids.push_back(static_cast<uint16_t>(reader.Number(2)));
            continue;
        }
        const uint32_t first = reader.Number(2);
        const uint32_t left = reader.Number(format == 1 ? 1 : 2);
        if (format > 2)
            break;
        for (uint32_t i = 0; i <= left && cids.size() < glyphCount; ++i) {
            cids.push_back(static_cast<uint16_t>(first + i));
        }
    }
    if (format > 2)
        cids.clear();
    return cids;
}

}  // namespace

std::optional<std::vector<uint16_t>> ReadCffGlyphCids(std::span<const uint8_t> cff) {
    Reader reader(cff);
    reader.Number(2);  // version
    reader.Seek(reader.Byte());
    ReadIndex(reader);  // names
    const Index topDicts = ReadIndex(reader);
    if (reader.failed() || topDicts.count == 0)
        return std::nullopt;
    const TopDict top =
        ReadTopDict(Reader(cff, topDicts.firstData), topDicts.firstData + topDicts.firstSize);
    if (!top.cidKeyed)
        return std::vector<uint16_t>();
    Reader glyphs(cff, top.charStrings);
    const uint32_t glyphCount = ReadIndex(glyphs).count;
    Reader charset(cff, top.charset);
    std::vector<uint16_t> cids = ReadCharset(charset, glyphCount);
    if (glyphs.failed() || charset.failed() || cids.size() != glyphCount || top.charset < 3) {
        return std::nullopt;
    }
    return cids;
}

}  // namespace pdf
