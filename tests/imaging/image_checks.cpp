#include "image_checks.h"

#include <gtest/gtest.h>

namespace samples {

imaging::Image DecodeOrFail(const std::vector<uint8_t>& file) {
    imaging::Image image;
    EXPECT_TRUE(image.Decode(file.data(), file.size())) << image.GetLastError();
    return image;
}

imaging::ImageInfo InspectOrFail(const File& file) {
    std::string error;
    auto info = imaging::Inspect(file.data(), file.size(), &error);
    EXPECT_TRUE(info) << error;
    return info.value_or(imaging::ImageInfo{});
}

void ExpectSameBitmap(const imaging::Bitmap& expected, const imaging::Bitmap& actual) {
    EXPECT_EQ(actual.width, expected.width);
    EXPECT_EQ(actual.height, expected.height);
    EXPECT_EQ(actual.space, expected.space);
    EXPECT_EQ(actual.bitsPerComponent, expected.bitsPerComponent);
    EXPECT_EQ(actual.stride, expected.stride);
    EXPECT_EQ(MaxDifference(expected, actual), 0);
    EXPECT_EQ(actual.palette, expected.palette);
    EXPECT_EQ(actual.alpha, expected.alpha);
}

}  // namespace samples
