#pragma once

// The bytes of an image file or of a virtual file, read only as far as they are needed: the
// beginning for the header, and the whole only when the data must be examined or decoded.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "object_writer.h"
#include "platform/input_file.h"

namespace pdf {

class ImageSource {
public:
    // Bytes in memory, owned by the caller and valid while the source is used.
    explicit ImageSource(std::span<const uint8_t> memory);
    // A file. Throws Failure (kErrorImage) when it cannot be opened or is not a regular file.
    explicit ImageSource(const std::filesystem::path& file);
    ImageSource(const ImageSource&) = delete;
    ImageSource& operator=(const ImageSource&) = delete;

    uint64_t size() const { return size_; }
    // At most the first maximum bytes; all of them when the file is that small.
    std::span<const uint8_t> Head(size_t maximum);
    // Every byte. Throws Failure (kErrorImage) on a read error.
    std::span<const uint8_t> All();

private:
    std::span<const uint8_t> ReadRange(uint64_t offset, size_t size);

    std::span<const uint8_t> memory_;  // virtual file, or what has been read of the file
    std::unique_ptr<uint8_t[]> buffer_;
    std::optional<platform::InputFile> file_;  // none for bytes in memory
    uint64_t size_ = 0;
    std::string name_;
};

}  // namespace pdf
