// Inputs that once crashed a fuzzer are decoded again on every run; they must fail or succeed
// cleanly.

#include <gtest/gtest.h>

#include <filesystem>

#include "imaging/image.h"
#include "temp_dir.h"

namespace {

TEST(FuzzRegressions, EveryKeptInputDecodesWithoutHarm) {
    std::filesystem::path root = FOLIOFORGE_FUZZ_REGRESSIONS;
    if (!std::filesystem::exists(root)) {
        GTEST_SKIP() << "no regression inputs";
    }
    size_t count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file() || entry.path().filename().string().front() == '.') {
            continue;
        }
        std::string bytes = testsupport::ReadFile(entry.path());
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
        imaging::Inspect(data, bytes.size());
        imaging::Image image;
        std::vector<uint8_t> block;
        if (image.Decode(data, bytes.size())) {
            image.Encode(block, imaging::kFormatPng);  // may fail only by making the image invalid
        }
        EXPECT_EQ(image.IsValid(), image.GetLastError().empty()) << entry.path();
        ++count;
    }
    RecordProperty("inputs", static_cast<int>(count));
}

}  // namespace
