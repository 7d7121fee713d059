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
    if (::stat(ToUtf8(path).c_str(), &info) != 0) {
        return PathKind::kMissing;
    }
    return S_ISDIR(info.st_mode) ? PathKind::kFolder : PathKind::kOther;
}

bool CreateFolders(std::wstring_view path) {
    std::error_code error;
    std::filesystem::create_directories(ToUtf8(path), error);
    return KindOf(path) == PathKind::kFolder;
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string bytes;
    char chunk[65536];
    ssize_t got;
    while ((got = ::read(fd, chunk, sizeof chunk)) != 0) {
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            ::close(fd);
            return std::nullopt;
        }
        bytes.append(chunk, static_cast<size_t>(got));
    }
    ::close(fd);
    return bytes;
}

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    AtomicFile file(target);
    return file.SetMode(0644) && file.Write(bytes) && file.Commit();
}

std::optional<std::time_t> ModificationTime(std::wstring_view path) {
    struct stat info {};
    if (::stat(ToUtf8(path).c_str(), &info) != 0) {
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
