#include "icc_profile.h"

#include <cstring>
#include <optional>

namespace imaging {
namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kTagEntrySize = 12;
constexpr char kChunkSignature[] = "ICC_PROFILE";  // followed by its NUL
constexpr size_t kChunkHeader = sizeof kChunkSignature + 2;

uint32_t BigEndian32(const uint8_t* at) {
    return uint32_t{at[0]} << 24 | uint32_t{at[1]} << 16 | uint32_t{at[2]} << 8 | at[3];
}

// Every tag's data lies inside the profile.
bool TagsInside(const uint8_t* data, size_t size) {
    const uint32_t tags = BigEndian32(data + kHeaderSize);
    if (tags > (size - kHeaderSize - 4) / kTagEntrySize) {
        return false;
    }
    for (uint32_t i = 0; i < tags; ++i) {
        const uint8_t* entry = data + kHeaderSize + 4 + i * kTagEntrySize;
        const uint64_t offset = BigEndian32(entry + 4);
        const uint64_t length = BigEndian32(entry + 8);
        if (offset + length > size) {
            return false;
        }
    }
    return true;
}

}  // namespace

unsigned IccProfileComponents(const uint8_t* data, size_t size) {
    if (!data || size < kHeaderSize + 4 || BigEndian32(data) != size ||
        std::memcmp(data + 36, "acsp", 4) != 0 || !TagsInside(data, size)) {
        return 0;
    }
    const uint8_t* space = data + 16;
    if (std::memcmp(space, "GRAY", 4) == 0) {
        return 1;
    }
    if (std::memcmp(space, "RGB ", 4) == 0) {
        return 3;
    }
    return std::memcmp(space, "CMYK", 4) == 0 ? 4 : 0;
}

unsigned ProfileComponents(ColorSpace space) {
    switch (space) {
        case ColorSpace::kGray:
            return 1;
        case ColorSpace::kCmyk:
            return 4;
        default:
            return 3;
    }
}

bool ProfileDescribes(std::span<const uint8_t> profile, ColorSpace space) {
    return !profile.empty() &&
           IccProfileComponents(profile.data(), profile.size()) == ProfileComponents(space);
}

std::vector<uint8_t> ProfileFor(std::span<const uint8_t> profile, ColorSpace space) {
    if (!ProfileDescribes(profile, space)) {
        return {};
    }
    return {profile.begin(), profile.end()};
}

std::vector<uint8_t> JoinJpegProfileChunks(const std::vector<std::span<const uint8_t>>& segments) {
    std::vector<std::optional<std::span<const uint8_t>>> chunks;
    for (std::span<const uint8_t> segment : segments) {
        if (segment.size() < kChunkHeader ||
            std::memcmp(segment.data(), kChunkSignature, sizeof kChunkSignature) != 0) {
            continue;
        }
        const unsigned sequence = segment[sizeof kChunkSignature];
        const unsigned count = segment[sizeof kChunkSignature + 1];
        if (chunks.empty()) {
            chunks.resize(count);
        }
        if (count != chunks.size() || sequence == 0 || sequence > count || chunks[sequence - 1]) {
            return {};
        }
        chunks[sequence - 1] = segment.subspan(kChunkHeader);
    }
    std::vector<uint8_t> profile;
    for (const auto& chunk : chunks) {
        if (!chunk) {
            return {};
        }
        profile.insert(profile.end(), chunk->begin(), chunk->end());
    }
    return profile;
}

}  // namespace imaging
