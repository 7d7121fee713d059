#pragma once

// The document's bytes on their way to disk, buffered, through a platform::AtomicFile: the
// target appears, whole, only on Commit. Until then the target is untouched; an OutputFile
// destroyed without Commit leaves no temporary file behind.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/atomic_file.h"

namespace pdf {

class OutputFile {
public:
    // Opens the temporary file in the target's folder. Throws Failure (kErrorFile) when the
    // folder is missing or not writable, or the target is a folder.
    explicit OutputFile(const std::filesystem::path& target);
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Appends bytes. Throws Failure (kErrorFile) on a write error (a full disk, say); after
    // that every further call throws too.
    void Write(const void* data, size_t size);
    void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }

    // Bytes written so far: the offset of the next byte.
    uint64_t Offset() const { return offset_; }

    // Flushes the file to disk and puts it in place of the target. Throws Failure (kErrorFile)
    // on failure, leaving the target untouched and the temporary file removed.
    void Commit();

private:
    void Flush();
    void CheckUsable() const;
    [[noreturn]] void FailWithError(const char* what) const;

    platform::AtomicFile file_;
    uint64_t offset_ = 0;
    std::vector<char> buffer_;
};

}  // namespace pdf
