#pragma once

// The document's bytes on their way to disk, buffered, through a platform::AtomicFile: the
// target appears, whole, only on Commit. Until then the target is untouched; an OutputFile
// destroyed without Commit leaves no temporary file behind.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/atomic_file.h"

namespace pdf {

class OutputFile {
public:
    // Opens the temporary file in the target's folder. With claimName the target is only the
    // first choice of an automatically chosen name: Commit never replaces a file, and takes
    // the first free of the target and its numbered variants (platform::NumberedName) instead.
    // Throws Failure (kErrorFile) with the system's reason when the folder is missing or not
    // writable, the target's name is too long or the target is a folder.
    explicit OutputFile(const std::filesystem::path& target, bool claimName = false);
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Appends bytes. Throws Failure (kErrorFile) on a write error (a full disk, say); after
    // that every further call throws the same failure again.
    void Write(const void* data, size_t size);
    void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }

    // Bytes written so far: the offset of the next byte.
    uint64_t Offset() const { return offset_; }

    // Flushes the file to disk and puts it in place of the target (or claims a name, see the
    // constructor). Throws Failure (kErrorFile) on failure, leaving the target untouched and
    // the temporary file removed.
    void Commit();

    // Where the file is, or goes: the target, or after Commit the name it claimed.
    const std::filesystem::path& Target() const { return file_.target(); }

private:
    void Flush();
    void CheckUsable() const;
    [[noreturn]] void FailWithError(const char* what);

    platform::AtomicFile file_;
    bool claimName_;
    uint64_t offset_ = 0;
    std::vector<char> buffer_;
    std::string failure_;  // the first failure's message, repeated by every later call
};

}  // namespace pdf
