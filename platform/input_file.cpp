#include "platform/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_io.h"

namespace platform {

InputFile::InputFile(const std::filesystem::path& path) {
    const int fd = OpenRegularFile(path);
    if (fd < 0) {
        error_ = errno;
        return;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        error_ = errno;
        ::close(fd);
        return;
    }
    fd_ = fd;
    size_ = static_cast<uint64_t>(status.st_size);
}

InputFile::~InputFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool InputFile::ReadAt(uint64_t offset, void* buffer, size_t size) {
    auto* bytes = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(fd_, bytes + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            error_ = got == 0 ? ENODATA : errno;
            return false;
        }
        done += static_cast<size_t>(got);
    }
    return true;
}

}  // namespace platform
