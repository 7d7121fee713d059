// The exported Base64 functions: buffers, lengths and bad input.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "basalt_library.h"
#include "temp_dir.h"

using namespace testsupport;

namespace {

class Base64ApiTest : public ::testing::Test {
protected:
    TempDir dir_;
    BasaltLibrary basalt_{dir_.path()};
};

TEST_F(Base64ApiTest, EncodeGivesATerminatedTextAndItsLength) {
    int length = -1;
    const unsigned char byte = 0xFF;
    char* text = basalt_->Base64Encode(&byte, 1, &length);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "/w==");
    EXPECT_EQ(length, 4);
    EXPECT_EQ(basalt_->Base64ReleaseBuffer(text), 1);

    length = -1;
    EXPECT_EQ(basalt_->Base64Encode(nullptr, 5, &length), nullptr);
    EXPECT_EQ(length, 0);
    length = -1;
    EXPECT_EQ(basalt_->Base64Encode(&byte, 0, &length), nullptr);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(basalt_->Base64Encode(&byte, -3, nullptr), nullptr);
}

TEST_F(Base64ApiTest, DecodeFillsAZeroedBufferOfTheStatedSize) {
    const std::string text = "SGVsbG8s\r\nIHdvcmxk";  // "Hello, world" with a line break
    int length = -1;
    unsigned char* bytes =
        basalt_->Base64Decode(text.data(), static_cast<int>(text.size()), &length);
    ASSERT_NE(bytes, nullptr);
    ASSERT_EQ(length, 12);
    EXPECT_EQ(std::memcmp(bytes, "Hello, world", 12), 0);
    const size_t size = text.size() - text.size() / 4 + 1;
    for (size_t i = 12; i < size; ++i)
        EXPECT_EQ(bytes[i], 0) << i;  // ASan checks the size
    basalt_->Base64ReleaseBuffer(bytes);

    bytes = basalt_->Base64Decode("", 0, &length);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(bytes[0], 0);
    basalt_->Base64ReleaseBuffer(bytes);

    EXPECT_EQ(basalt_->Base64Decode(nullptr, 4, &length), nullptr);
    EXPECT_EQ(basalt_->Base64Decode("AAAA", -1, &length), nullptr);
    EXPECT_EQ(basalt_->Base64ReleaseBuffer(nullptr), 1);
}

TEST_F(Base64ApiTest, FiveEqualSignsStayInsideTheBuffer) {
    const std::string text = "QUJD=====QUJD";
    int length = -1;
    unsigned char* bytes =
        basalt_->Base64Decode(text.data(), static_cast<int>(text.size()), &length);
    ASSERT_NE(bytes, nullptr);
    // "QUJD" gives ABC; then "====" and "=QUJ" are groups that yield their first byte only, and
    // the "D" left over is dropped.
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), length), std::string("ABC\0\x01", 5));
    basalt_->Base64ReleaseBuffer(bytes);
}

}  // namespace
