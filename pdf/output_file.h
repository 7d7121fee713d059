#pragma once

// The document's bytes on their way to disk: a temporary file beside the target that becomes
// the target only on Commit. Until then the target is untouched; an OutputFile destroyed
// without Commit removes its temporary file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace pdf {

class OutputFile {
public:
    // Creates the temporary file in the target's folder. Throws Failure (kErrorFile) when the
    // folder is missing or not writable, or the target is a folder.
    explicit OutputFile(std::filesystem::path target);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Appends bytes. Throws Failure (kErrorFile) on a write error (a full disk, say); after
    // that every further call throws too.
    void Write(const void* data, size_t size);
    void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }

    // Appends size bytes of the file open as fd, from its beginning, copied inside the kernel
    // where it can. Throws Failure (kErrorFile) on a write error or when the file is shorter.
    void CopyFrom(int fd, uint64_t size);

    // Bytes written so far: the offset of the next byte.
    uint64_t Offset() const { return offset_; }

    // Flushes the file to disk and renames it over the target. Throws Failure (kErrorFile) on
    // failure, leaving the target untouched and the temporary file removed.
    void Commit();

private:
    void Flush();
    void WriteThrough(const void* data, size_t size);
    void CopyByReading(int fd, uint64_t offset, uint64_t size);
    [[noreturn]] void FailWithErrno(const char* what);
    [[noreturn]] void FailShortSource();
    void Discard();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int fd_ = -1;
    uint64_t offset_ = 0;
    std::vector<char> buffer_;
    bool failed_ = false;
};

}  // namespace pdf
