#pragma once

// An output file that appears whole or not at all. Its bytes go into an unnamed file (O_TMPFILE)
// in the target's folder or, where the file system has no unnamed files, into a short hidden
// name there; Commit flushes them to disk and links or renames the file into place. An
// AtomicFile destroyed without Commit leaves the target untouched and no temporary file behind.
//
// Nothing here throws: every call returns whether it worked, and error() keeps the errno of the
// first failure. After a failure every further call fails. One thread at a time.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

#include "platform/input_file.h"

namespace platform {

class AtomicFile {
public:
    // What Commit does with an existing file of the target's name.
    enum class Placement {
        kReplace,  // the target is replaced in one step
        kClaim,    // Commit fails (error() EEXIST) and the target stays: for names chosen
                   // automatically, where a clash moves on to the next candidate
    };

    // How CopyFrom ended.
    enum class CopyResult { kCopied, kReadFailed, kWriteFailed, kSourceEnded };

    // Opens the temporary file in the target's folder with the permission bits mode (reduced by
    // the process umask, as for any file the user creates). Check ok() afterwards.
    explicit AtomicFile(std::filesystem::path target, unsigned mode = 0666);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // True while the file is open and nothing has failed.
    bool ok() const { return fd_ >= 0 && error_ == 0; }

    // The errno of the first failure; 0 while none.
    int error() const { return error_; }

    const std::filesystem::path& target() const { return target_; }

    // Sets the permission bits exactly, whatever the umask.
    bool SetMode(unsigned mode);

    // Appends bytes unbuffered (callers that write in small pieces buffer themselves).
    bool Write(const void* data, size_t size);
    bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }

    // Appends the first size bytes of the source, copied inside the kernel where the file
    // systems allow it. kSourceEnded when the source is shorter than size.
    CopyResult CopyFrom(const InputFile& source, uint64_t size);

    // Flushes the bytes to disk, puts the file under the target's name as placement says and
    // flushes the folder. On failure the target is as it was and the temporary file is gone.
    bool Commit(Placement placement = Placement::kReplace);

    // Commit for names chosen automatically: the file is claimed, never replacing anything,
    // under the first of nameFor(0), nameFor(1), ... that is free at that moment, so that two
    // writers racing for one name both succeed under different names. target() then names the
    // file. Fails with EEXIST after a million taken names.
    bool CommitUnderFreeName(const std::function<std::filesystem::path(unsigned)>& nameFor);

private:
    bool Fail(int error);
    bool WriteAll(const char* bytes, size_t size);
    CopyResult CopyByReading(int fd, uint64_t offset, uint64_t size);
    bool Place(Placement placement);
    bool FinishCommit();
    bool PlaceUnnamed(Placement placement);
    bool PlaceNamed(Placement placement);
    void Discard();
    void ForgetTemporary();

    std::filesystem::path target_;
    std::filesystem::path temporary_;  // empty for an unnamed file
    int pendingSlot_ = -1;             // the temporary name's entry among the pending files
    int fd_ = -1;
    int error_ = 0;
};

}  // namespace platform
