#pragma once

// A regular file open for reading at any offset, for readers that look at parts of a file
// before (or instead of) reading it whole. Nothing here throws; one thread at a time.

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace platform {

class InputFile {
public:
    // Opens the file; check ok(). Anything but a regular file fails with EINVAL without being
    // opened for reading (a FIFO or device cannot block or flood the reader).
    explicit InputFile(const std::filesystem::path& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool ok() const { return fd_ >= 0; }

    // The errno of the failed open or of the last failed read: ENODATA when the file ended
    // before the bytes asked for.
    int error() const { return error_; }

    // The size when the file was opened.
    uint64_t size() const { return size_; }

    // Reads exactly size bytes from offset into buffer. False (see error()) when a read fails or
    // the file ends first.
    bool ReadAt(uint64_t offset, void* buffer, size_t size);

    // The open file for AtomicFile::CopyFrom; -1 when the open failed.
    int descriptor() const { return fd_; }

private:
    int fd_ = -1;
    int error_ = 0;
    uint64_t size_ = 0;
};

}  // namespace platform
