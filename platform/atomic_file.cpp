#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/pending_files.h"

namespace platform {
namespace {

constexpr size_t kCopyChunk = 256 * 1024;
constexpr unsigned kMostCandidates = 1000000;

std::filesystem::path FolderOf(const std::filesystem::path& target) {
    return target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
}

// A short hidden name in folder, different on every call: ".ff" and eight random letters.
std::filesystem::path HiddenName(const std::filesystem::path& folder) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::string name = ".ff";
    for (int i = 0; i < 8; ++i) {
        name += kLetters[device() % (sizeof kLetters - 1)];
    }
    return folder / name;
}

// Links the unnamed file open as fd under name; fails with EEXIST when the name is taken.
bool LinkUnnamed(int fd, const std::filesystem::path& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// Flushes the folder so that the new name itself survives a crash.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target, unsigned mode) : target_(std::move(target)) {
    const std::filesystem::path folder = FolderOf(target_);
    fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    for (int attempt = 0; fd_ < 0 && attempt < 100; ++attempt) {
        temporary_ = HiddenName(folder);
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd_ < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd_ < 0) {
        temporary_.clear();
        Fail(errno);
    } else if (!temporary_.empty()) {
        pendingSlot_ = RegisterPendingFile(temporary_.c_str());
    }
}

AtomicFile::~AtomicFile() {
    Discard();
}

bool AtomicFile::Fail(int error) {
    if (error_ == 0) {
        error_ = error == 0 ? EIO : error;
    }
    Discard();
    return false;
}

bool AtomicFile::SetMode(unsigned mode) {
    if (!ok()) {
        return false;
    }
    return ::fchmod(fd_, mode) == 0 || Fail(errno);
}

bool AtomicFile::Write(const void* data, size_t size) {
    if (!ok()) {
        return false;
    }
    return WriteAll(static_cast<const char*>(data), size);
}

bool AtomicFile::WriteAll(const char* bytes, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd_, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return Fail(written == 0 ? ENOSPC : errno);
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

AtomicFile::CopyResult AtomicFile::CopyFrom(const InputFile& source, uint64_t size) {
    const int fd = source.descriptor();
    if (!ok()) {
        return CopyResult::kWriteFailed;
    }
    off_t offset = 0;
    while (static_cast<uint64_t>(offset) < size) {
        const ssize_t copied =
            ::copy_file_range(fd, &offset, fd_, nullptr, size - static_cast<uint64_t>(offset), 0);
        if (copied < 0 && errno == EINTR) {
            continue;
        }
        if (copied < 0 &&
            (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
            return CopyByReading(fd, static_cast<uint64_t>(offset), size);
        }
        if (copied < 0) {
            Fail(errno);
            return CopyResult::kWriteFailed;
        }
        if (copied == 0) {
            Fail(ENODATA);
            return CopyResult::kSourceEnded;
        }
        // The kernel has moved offset past the copied bytes itself.
    }
    // Starts writing the copied data to disk now, so that Commit's flush has little left to do.
    ::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
    return CopyResult::kCopied;
}

// The portable way, for file systems that cannot copy between files themselves.
AtomicFile::CopyResult AtomicFile::CopyByReading(int fd, uint64_t offset, uint64_t size) {
    std::vector<char> chunk(kCopyChunk);
    while (offset < size) {
        const size_t wanted = static_cast<size_t>(std::min<uint64_t>(chunk.size(), size - offset));
        const ssize_t got = ::pread(fd, chunk.data(), wanted, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            Fail(got == 0 ? ENODATA : errno);
            return got == 0 ? CopyResult::kSourceEnded : CopyResult::kReadFailed;
        }
        if (!WriteAll(chunk.data(), static_cast<size_t>(got))) {
            return CopyResult::kWriteFailed;
        }
        offset += static_cast<uint64_t>(got);
    }
    return CopyResult::kCopied;
}

bool AtomicFile::Commit(Placement placement) {
    if (!ok()) {
        return false;
    }
    if (::fsync(fd_) != 0 || !Place(placement)) {
        return Fail(errno);
    }
    return FinishCommit();
}

bool AtomicFile::CommitUnderFreeName(
    const std::function<std::filesystem::path(unsigned)>& nameFor) {
    if (!ok()) {
        return false;
    }
    if (::fsync(fd_) != 0) {
        return Fail(errno);
    }
    for (unsigned n = 0; n < kMostCandidates; ++n) {
        target_ = nameFor(n);
        if (Place(Placement::kClaim)) {
            return FinishCommit();
        }
        if (errno != EEXIST) {
            return Fail(errno);
        }
    }
    return Fail(EEXIST);
}

bool AtomicFile::Place(Placement placement) {
    return temporary_.empty() ? PlaceUnnamed(placement) : PlaceNamed(placement);
}

// Closes the file that now bears the target's name and flushes its folder.
bool AtomicFile::FinishCommit() {
    const int fd = fd_;
    fd_ = -1;
    ForgetTemporary();
    if (::close(fd) != 0) {
        return Fail(errno);
    }
    SyncFolder(FolderOf(target_));
    return true;
}

// An unnamed file is linked under the target's name directly when it claims it, and under a
// hidden name renamed over the target when it replaces it (a link never replaces).
bool AtomicFile::PlaceUnnamed(Placement placement) {
    if (placement == Placement::kClaim) {
        return LinkUnnamed(fd_, target_);
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path hidden = HiddenName(FolderOf(target_));
        if (!LinkUnnamed(fd_, hidden)) {
            if (errno == EEXIST) {
                continue;
            }
            return false;
        }
        if (::rename(hidden.c_str(), target_.c_str()) == 0) {
            return true;
        }
        const int error = errno;
        ::unlink(hidden.c_str());
        errno = error;
        return false;
    }
    errno = EEXIST;
    return false;
}

bool AtomicFile::PlaceNamed(Placement placement) {
    if (placement == Placement::kReplace) {
        return ::rename(temporary_.c_str(), target_.c_str()) == 0;
    }
    if (::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE) ==
        0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // A file system without no-replace renames: a link never replaces either.
    if (::link(temporary_.c_str(), target_.c_str()) != 0) {
        return false;
    }
    ::unlink(temporary_.c_str());
    return true;
}

void AtomicFile::Discard() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = -1;
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
    }
    ForgetTemporary();
}

void AtomicFile::ForgetTemporary() {
    ForgetPendingFile(pendingSlot_);
    pendingSlot_ = -1;
    temporary_.clear();
}

}  // namespace platform
