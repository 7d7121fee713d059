// Embedded ICC profiles travel from decoding to encoding; malformed ones, and ones that no
// longer describe the pixels, are dropped.

#include <gtest/gtest.h>

#include <algorithm>

#include "icc_samples.h"
#include "image_checks.h"
#include "imaging/image.h"

namespace {

using imaging::ColorSpace;
using imaging::Image;
using samples::DecodeOrFail;
using samples::File;
using samples::Pattern;

File RgbJpegWithProfile(const File& profile, size_t chunkSize = 200) {
    return iccsamples::WithJpegProfile(samples::MakeJpeg(Pattern(16, 8, ColorSpace::kRgb)), profile,
                                       chunkSize);
}

std::vector<uint8_t> ProfileAfterEncoding(Image& image, uint32_t format) {
    std::vector<uint8_t> block;
    EXPECT_TRUE(image.Encode(block, format)) << format;
    return DecodeOrFail(block).GetIccProfile();
}

// Where the second APP2 segment's sequence number lies.
size_t SecondSequenceNumber(const File& jpeg) {
    const std::string text(jpeg.begin(), jpeg.end());
    return text.find("ICC_PROFILE", text.find("ICC_PROFILE") + 1) + 12;
}

}  // namespace

TEST(ColorProfiles, JpegProfileSplitOverSegmentsIsJoinedInSequence) {
    const File profile = iccsamples::RgbProfile();
    ASSERT_GT(profile.size(), 400u);  // three segments or more
    ASSERT_EQ(imaging::IccProfileComponents(profile.data(), profile.size()), 3u);
    const File jpeg = RgbJpegWithProfile(profile);
    EXPECT_EQ(samples::InspectOrFail(jpeg).iccProfile, profile);
    EXPECT_EQ(DecodeOrFail(jpeg).GetIccProfile(), profile);
    EXPECT_EQ(DecodeOrFail(RgbJpegWithProfile(profile, 65519)).GetIccProfile(), profile);
}

TEST(ColorProfiles, ReencodingKeepsTheProfileInJpegPngAndTiff) {
    const File profile = iccsamples::RgbProfile();
    for (uint32_t format : {imaging::kFormatJpeg, imaging::kFormatPng, imaging::kFormatTiff}) {
        Image image = DecodeOrFail(RgbJpegWithProfile(profile));
        ASSERT_TRUE(image.Resample(8, 4));
        EXPECT_EQ(ProfileAfterEncoding(image, format), profile) << format;
    }
    const File gray = iccsamples::GrayProfile();
    Image grey = DecodeOrFail(
        iccsamples::WithPngProfile(samples::MakePng(Pattern(8, 8, ColorSpace::kGray)), gray));
    EXPECT_EQ(grey.GetIccProfile(), gray);
    EXPECT_EQ(ProfileAfterEncoding(grey, imaging::kFormatJpeg), gray);
}

// A colour profile cannot describe grey pixels: greying drops it, and a GIF has no place for
// one.
TEST(ColorProfiles, GreyingOrAFormatWithoutProfilesLeavesItOut) {
    Image image = DecodeOrFail(RgbJpegWithProfile(iccsamples::RgbProfile()));
    ASSERT_TRUE(image.GrayScale());
    EXPECT_TRUE(image.GetIccProfile().empty());
    EXPECT_TRUE(ProfileAfterEncoding(image, imaging::kFormatJpeg).empty());
    Image indexed = DecodeOrFail(RgbJpegWithProfile(iccsamples::RgbProfile()));
    EXPECT_TRUE(ProfileAfterEncoding(indexed, imaging::kFormatGif).empty());
}

TEST(ColorProfiles, MalformedAndUnfittingProfilesAreDropped) {
    const File profile = iccsamples::RgbProfile();
    File wrongSize = profile;
    wrongSize[3] ^= 0x04;
    File noSignature = profile;
    noSignature[36] = 'x';
    const File cut(profile.begin(), profile.end() - 40);
    for (const File& bad : {wrongSize, noSignature, cut}) {
        EXPECT_EQ(imaging::IccProfileComponents(bad.data(), bad.size()), 0u);
        EXPECT_TRUE(DecodeOrFail(RgbJpegWithProfile(bad)).GetIccProfile().empty());
    }
    File repeated = RgbJpegWithProfile(profile);
    repeated[SecondSequenceNumber(repeated)] = 1;
    EXPECT_TRUE(DecodeOrFail(repeated).GetIccProfile().empty());
    const File greyJpeg = iccsamples::WithJpegProfile(
        samples::MakeJpeg(Pattern(16, 8, ColorSpace::kGray)), profile, 200);
    EXPECT_TRUE(samples::InspectOrFail(greyJpeg).iccProfile.empty());
    EXPECT_TRUE(DecodeOrFail(greyJpeg).GetIccProfile().empty());
}
