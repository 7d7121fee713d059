#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/atomic_file.h"
#include "platform/text.h"

namespace platform {

PathKind KindOf(std::wstring_view path) {
    struct stat info {};
    if (::stat(PathToNative(path).c_str(), &info) != 0) {
        return PathKind::kMissing;
    }
    return S_ISDIR(info.st_mode) ? PathKind::kFolder : PathKind::kOther;
}

bool CreateFolders(std::wstring_view path) {
    std::error_code error;
    std::filesystem::create_directories(PathToNative(path), error);
    return KindOf(path) == PathKind::kFolder;
}

bool ClaimFolder(std::wstring_view path) {
    return ::mkdir(PathToNative(path).c_str(), 0777) == 0;
}

int RegularFileError(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        return errno;
    }
    return S_ISREG(info.st_mode) ? 0 : EINVAL;
}

int OpenRegularFile(const std::filesystem::path& file) {
    if (const int problem = RegularFileError(file)) {
        errno = problem;
        return -1;
    }
    // Non-blocking, and checked again once open, in case the path was swapped for a FIFO since.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

namespace {

// Reads fd to its end; EFBIG once more than maxBytes arrive (a file may grow while read).
int ReadAll(int fd, uint64_t maxBytes, std::string& bytes) {
    char chunk[65536];
    ssize_t got;
    while ((got = ::read(fd, chunk, sizeof chunk)) != 0) {
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return errno;
        }
        if (static_cast<uint64_t>(got) > maxBytes - bytes.size()) {
            return EFBIG;
        }
        bytes.append(chunk, static_cast<size_t>(got));
    }
    return 0;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file, uint64_t maxBytes,
                                         int* error) {
    int problem = 0;
    std::string bytes;
    const int fd = OpenRegularFile(file);
    struct stat info {};
    if (fd < 0) {
        problem = errno;
    } else if (::fstat(fd, &info) != 0) {
        problem = errno;
    } else if (static_cast<uint64_t>(info.st_size) > maxBytes) {
        problem = EFBIG;
    } else {
        problem = ReadAll(fd, maxBytes, bytes);
    }
    if (fd >= 0) {
        ::close(fd);
    }
    if (error) {
        *error = problem;
    }
    return problem ? std::nullopt : std::optional<std::string>(std::move(bytes));
}

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    AtomicFile file(target);
    return file.SetMode(0644) && file.Write(bytes) && file.Commit();
}

std::optional<std::time_t> ModificationTime(std::wstring_view path) {
    struct stat info {};
    if (::stat(PathToNative(path).c_str(), &info) != 0) {
        return std::nullopt;
    }
    return info.st_mtime;
}

FileLock::FileLock(const std::filesystem::path& lockFile, std::chrono::milliseconds patience) {
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK || errno == EINTR;
        if (!busy || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd_);
            fd_ = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

}  // namespace platform
