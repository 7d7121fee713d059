#include "tiff_directory.h"

#include "orientation.h"

namespace imaging {
namespace {

enum : uint16_t { kTypeShort = 3, kTypeLong = 4, kTypeRational = 5 };
enum : uint16_t {
    kTagOrientation = 274,
    kTagXResolution = 282,
    kTagYResolution = 283,
    kTagResolutionUnit = 296,
};
enum : uint32_t { kUnitNone = 1, kUnitInch = 2, kUnitCentimetre = 3 };
constexpr size_t kEntrySize = 12;

}  // namespace

std::optional<TiffDirectory> TiffDirectory::Open(Bytes bytes) {
    if (bytes.size() < 8) {
        return std::nullopt;
    }
    bool little = bytes[0] == 'I' && bytes[1] == 'I' && bytes[2] == 42 && bytes[3] == 0;
    bool big = bytes[0] == 'M' && bytes[1] == 'M' && bytes[2] == 0 && bytes[3] == 42;
    if (!little && !big) {
        return std::nullopt;
    }
    ByteReader reader(bytes, "");
    size_t directory = reader.U32(4, big);
    if (!reader.Has(directory, 2)) {
        return std::nullopt;
    }
    return TiffDirectory(bytes, big, directory);
}

std::optional<size_t> TiffDirectory::FindEntry(uint16_t tag) const {
    size_t count = reader_.U16(directory_, bigEndian_);
    for (size_t i = 0; i < count; ++i) {
        size_t entry = directory_ + 2 + i * kEntrySize;
        if (!reader_.Has(entry, kEntrySize)) {
            return std::nullopt;
        }
        if (reader_.U16(entry, bigEndian_) == tag) {
            return entry;
        }
    }
    return std::nullopt;
}

std::optional<uint32_t> TiffDirectory::Integer(uint16_t tag) const {
    std::optional<size_t> entry = FindEntry(tag);
    if (!entry) {
        return std::nullopt;
    }
    uint16_t type = reader_.U16(*entry + 2, bigEndian_);
    if (type == kTypeShort) {
        return reader_.U16(*entry + 8, bigEndian_);
    }
    if (type == kTypeLong) {
        return reader_.U32(*entry + 8, bigEndian_);
    }
    return std::nullopt;
}

std::optional<double> TiffDirectory::Rational(uint16_t tag) const {
    std::optional<size_t> entry = FindEntry(tag);
    if (!entry || reader_.U16(*entry + 2, bigEndian_) != kTypeRational) {
        return std::nullopt;
    }
    size_t offset = reader_.U32(*entry + 8, bigEndian_);
    if (!reader_.Has(offset, 8)) {
        return std::nullopt;
    }
    uint32_t denominator = reader_.U32(offset + 4, bigEndian_);
    if (denominator == 0) {
        return std::nullopt;
    }
    return static_cast<double>(reader_.U32(offset, bigEndian_)) / denominator;
}

Resolution TiffDirectory::ReadResolution() const {
    uint32_t unit = Integer(kTagResolutionUnit).value_or(kUnitInch);
    std::optional<double> x = Rational(kTagXResolution);
    std::optional<double> y = Rational(kTagYResolution);
    if (unit == kUnitNone || (unit != kUnitInch && unit != kUnitCentimetre) || !x) {
        return {};
    }
    bool perCentimetre = unit == kUnitCentimetre;
    uint32_t xdpi = DpiFromDensity(*x, perCentimetre);
    return {xdpi, y ? DpiFromDensity(*y, perCentimetre) : xdpi};
}

uint8_t TiffDirectory::ReadOrientation() const {
    return ValidOrientation(Integer(kTagOrientation).value_or(1));
}

}  // namespace imaging
