#include "base64.h"

#include <gtest/gtest.h>

#include <random>

using basalt::Base64Decode;
using basalt::Base64Encode;

namespace {

TEST(Base64Test, EncodesTheStandardVectors) {
    EXPECT_EQ(Base64Encode(""), "");
    EXPECT_EQ(Base64Encode("f"), "Zg==");
    EXPECT_EQ(Base64Encode("fo"), "Zm8=");
    EXPECT_EQ(Base64Encode("foo"), "Zm9v");
    EXPECT_EQ(Base64Encode("foobar"), "Zm9vYmFy");
    EXPECT_EQ(Base64Encode("\xFB\xFF"), "+/8=");
}

TEST(Base64Test, RoundTripsEveryLength) {
    std::mt19937 random(42);
    for (size_t size = 0; size < 200; ++size) {
        std::string bytes(size, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        EXPECT_EQ(Base64Decode(Base64Encode(bytes)), bytes) << size;
    }
}

TEST(Base64Test, DecodingSkipsWhatIsNotInTheAlphabet) {
    EXPECT_EQ(Base64Decode("Zm9v\r\nYmFy"), "foobar");
    EXPECT_EQ(Base64Decode(" Zm 9v\t"), "foo");
    EXPECT_EQ(Base64Decode("Zm\xC3\xA9"
                           "9v"),
              "foo");                       // bytes above 127
    EXPECT_EQ(Base64Decode("Zm8="), "fo");  // one "=": two bytes
    EXPECT_EQ(Base64Decode("Zg=="), "f");
    EXPECT_EQ(Base64Decode("Zm9vYg"), "foo");  // a partial group is dropped
    EXPECT_EQ(Base64Decode("!!!!"), "");
}

TEST(Base64Test, SurplusPaddingYieldsTheFirstByteOfEachGroup) {
    EXPECT_EQ(Base64Decode("Zg====="), std::string("f"));
    EXPECT_EQ(Base64Decode("====Zm9v"), std::string("\0f", 2));
    EXPECT_EQ(Base64Decode(std::string(1'000, '=')), std::string(250, '\0'));
}

}  // namespace
