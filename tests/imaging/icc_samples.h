#pragma once

// ICC profiles for tests, made by lcms2, and the files that carry them.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace iccsamples {

using Bytes = std::vector<uint8_t>;

// An sRGB profile.
Bytes RgbProfile();
// A grey profile with a gamma of 2.2.
Bytes GrayProfile();

// The JPEG with the profile in APP2 "ICC_PROFILE" segments of at most chunkSize profile bytes
// each, right after its start marker.
Bytes WithJpegProfile(const Bytes& jpeg, const Bytes& profile, size_t chunkSize);

// The PNG with an iCCP chunk holding the profile right after its header chunk.
Bytes WithPngProfile(const Bytes& png, const Bytes& profile);

}  // namespace iccsamples
