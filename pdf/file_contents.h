#pragma once

// The bytes of a whole file, read once so that image data can be inspected and copied to the
// output.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

namespace pdf {

class FileContents {
public:
    // Throws Failure (kErrorImage) when the file cannot be opened or read, or is not a regular
    // file.
    explicit FileContents(const std::filesystem::path& path);

    std::span<const uint8_t> bytes() const { return {data_.get(), size_}; }

private:
    std::unique_ptr<uint8_t[]> data_;
    size_t size_ = 0;
};

}  // namespace pdf
