#pragma once

// Reads single tags from the first directory of a TIFF-structured block (a TIFF file, or the
// EXIF block of a JPEG) without libtiff. Damaged structures read as missing tags.

#include <cstdint>
#include <optional>

#include "byte_reader.h"
#include "codec.h"
#include "resolution.h"

namespace imaging {

class TiffDirectory {
public:
    // nullopt unless bytes start with a TIFF header whose first directory lies inside them.
    static std::optional<TiffDirectory> Open(Bytes bytes);

    bool HasTag(uint16_t tag) const { return FindEntry(tag).has_value(); }
    // A SHORT or LONG value (the first when there are several).
    std::optional<uint32_t> Integer(uint16_t tag) const;
    // A RATIONAL value; nullopt for a zero denominator.
    std::optional<double> Rational(uint16_t tag) const;

    // XResolution, YResolution and ResolutionUnit; 72 where they are missing or unusable.
    Resolution ReadResolution() const;
    // Orientation (tag 0x0112), 1 to 8; 1 where it is missing or unknown.
    uint8_t ReadOrientation() const;

private:
    TiffDirectory(Bytes bytes, bool bigEndian, size_t directory)
        : reader_(bytes, "damaged TIFF directory"), bigEndian_(bigEndian), directory_(directory) {}
    std::optional<size_t> FindEntry(uint16_t tag) const;

    ByteReader reader_;
    bool bigEndian_;
    size_t directory_;
};

}  // namespace imaging
