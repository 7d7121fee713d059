#include "icc_samples.h"

#include <lcms2.h>
#include <zlib.h>

#include <algorithm>
#include <string>

namespace iccsamples {
namespace {

Bytes Saved(cmsHPROFILE profile) {
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    Bytes bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

void PutBigEndian(Bytes& out, uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

}  // namespace

Bytes RgbProfile() {
    return Saved(cmsCreate_sRGBProfile());
}

Bytes GrayProfile() {
    cmsToneCurve* gamma = cmsBuildGamma(nullptr, 2.2);
    Bytes bytes = Saved(cmsCreateGrayProfile(cmsD50_xyY(), gamma));
    cmsFreeToneCurve(gamma);
    return bytes;
}

Bytes WithJpegProfile(const Bytes& jpeg, const Bytes& profile, size_t chunkSize) {
    const size_t count = (profile.size() + chunkSize - 1) / chunkSize;
    Bytes out(jpeg.begin(), jpeg.begin() + 2);
    for (size_t i = 0; i < count; ++i) {
        const size_t first = i * chunkSize;
        const size_t size = std::min(chunkSize, profile.size() - first);
        out.insert(out.end(), {0xFF, 0xE2});
        PutBigEndian(out, static_cast<uint32_t>(2 + 12 + 2 + size), 2);
        const std::string signature("ICC_PROFILE\0", 12);
        out.insert(out.end(), signature.begin(), signature.end());
        out.push_back(static_cast<uint8_t>(i + 1));
        out.push_back(static_cast<uint8_t>(count));
        out.insert(out.end(), profile.begin() + first, profile.begin() + first + size);
    }
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

Bytes WithPngProfile(const Bytes& png, const Bytes& profile) {
    uLongf compressedSize = compressBound(profile.size());
    Bytes compressed(compressedSize);
    compress(compressed.data(), &compressedSize, profile.data(), profile.size());
    Bytes chunk = {'i', 'C', 'C', 'P', 'I', 'C', 'C', 0, 0};
    chunk.insert(chunk.end(), compressed.begin(), compressed.begin() + compressedSize);
    const size_t afterHeader = 8 + 4 + 4 + 13 + 4;
    Bytes out(png.begin(), png.begin() + afterHeader);
    PutBigEndian(out, static_cast<uint32_t>(chunk.size() - 4), 4);
    out.insert(out.end(), chunk.begin(), chunk.end());
    PutBigEndian(out, static_cast<uint32_t>(crc32(0, chunk.data(), chunk.size())), 4);
    out.insert(out.end(), png.begin() + afterHeader, png.end());
    return out;
}

}  // namespace iccsamples
