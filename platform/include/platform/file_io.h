#pragma once

// What a path names, whole-file reads, writes that never leave a half-written file, and an
// advisory lock between processes. Nothing here throws.

#include <chrono>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class PathKind { kMissing, kFolder, kOther };

// What a path names now, following links: nothing (also when it cannot be looked at), a
// folder, or something else (a file, a device, ...). Paths given as wide strings are converted
// to file-name bytes with PathToNative, here and below.
PathKind KindOf(std::wstring_view path);

// Creates the folder and its missing parents. False when it does not exist afterwards.
bool CreateFolders(std::wstring_view path);

// Creates the folder itself (its parent must exist), claiming the name: false when anything of
// that name exists already or the folder cannot be made, so that of several processes asking
// for one name exactly one gets it.
bool ClaimFolder(std::wstring_view path);

// 0 when file names a regular file (links followed); otherwise why it is not one: the errno of
// stat (ENOENT, EACCES, ...), or EINVAL for a folder, FIFO, device or socket. Looks at the path
// only and never opens it, so a FIFO or device cannot block or flood the caller.
int RegularFileError(const std::filesystem::path& file);

// Opens a regular file read-only (close-on-exec); -1 with errno set (as RegularFileError) when
// it is no regular file or cannot be opened. The caller owns and closes the descriptor.
int OpenRegularFile(const std::filesystem::path& file);

// The whole content of a regular file of at most maxBytes bytes; nullopt when it is no regular
// file (checked before opening), cannot be opened or read, or is larger than maxBytes (EFBIG).
// When error is given it receives the errno of the failure, 0 on success.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file,
                                         uint64_t maxBytes = UINT64_MAX, int* error = nullptr);

// Writes bytes through an AtomicFile (permissions 0644) that replaces the target. On any failure
// the target is unchanged, no temporary file remains and the result is false.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// The time the file or folder was last modified, following links; nullopt when it cannot be
// looked at.
std::optional<std::time_t> ModificationTime(std::wstring_view path);

// An exclusive advisory lock (flock) on a lock file, held for the object's lifetime. Excludes
// other processes and other FileLock objects of this process alike. Waits at most patience for
// a holder to let go, so a stuck process cannot stall its peers forever.
class FileLock {
public:
    explicit FileLock(const std::filesystem::path& lockFile,
                      std::chrono::milliseconds patience = std::chrono::seconds(5));
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // False when the lock file could not be opened, or locked within the patience.
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace platform
