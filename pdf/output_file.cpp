#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

#include "failure.h"
#include "pdfwriter/pdf_writer.h"

namespace pdf {
namespace {

constexpr size_t kBufferSize = 256 * 1024;

std::string RandomSuffix() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::string suffix;
    for (int i = 0; i < 10; ++i)
        suffix += kLetters[device() % (sizeof kLetters - 1)];
    return suffix;
}

// Opens a new file next to the target under a name nobody else uses. The mode 0666 is reduced by
// the process umask, as for any file the user creates.
int CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
    const std::filesystem::path folder = target.parent_path();
    const std::string stem = "." + target.filename().string() + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder / (stem + RandomSuffix() + ".part");
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

}  // namespace

OutputFile::OutputFile(std::filesystem::path target) : target_(std::move(target)) {
    struct stat status {};
    if (::stat(target_.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        Fail(kErrorFile, "'" + target_.string() + "' is a folder");
    }
    fd_ = CreateTemporary(target_, temporary_);
    if (fd_ < 0) {
        Fail(kErrorFile, "cannot create a file in the folder of '" + target_.string() +
                             "': " + std::strerror(errno));
    }
    buffer_.reserve(kBufferSize);
}

OutputFile::~OutputFile() {
    Discard();
}

void OutputFile::Write(const void* data, size_t size) {
    if (failed_)
        Fail(kErrorFile, "the document could not be written before");
    if (buffer_.size() + size > kBufferSize)
        Flush();
    if (size >= kBufferSize) {
        WriteThrough(data, size);
    } else {
        const char* bytes = static_cast<const char*>(data);
        buffer_.insert(buffer_.end(), bytes, bytes + size);
    }
    offset_ += size;
}

void OutputFile::CopyFrom(int fd, uint64_t size) {
    if (failed_)
        Fail(kErrorFile, "the document could not be written before");
    Flush();
    off_t offset = 0;
    while (static_cast<uint64_t>(offset) < size) {
        const ssize_t copied =
            ::copy_file_range(fd, &offset, fd_, nullptr, size - static_cast<uint64_t>(offset), 0);
        if (copied < 0 && errno == EINTR)
            continue;
        if (copied < 0 &&
            (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
            CopyByReading(fd, static_cast<uint64_t>(offset), size);
            break;
        }
        if (copied < 0)
            FailWithErrno("cannot write");
        if (copied == 0)
            FailShortSource();
        offset += copied;
    }
    offset_ += size;
    // Starts writing the copied data to disk now, so that Commit's flush has little left to do.
    ::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
}

// The portable way, for file systems that cannot copy between files themselves.
void OutputFile::CopyByReading(int fd, uint64_t offset, uint64_t size) {
    std::vector<char> chunk(kBufferSize);
    while (offset < size) {
        const size_t wanted = static_cast<size_t>(std::min<uint64_t>(chunk.size(), size - offset));
        const ssize_t got = ::pread(fd, chunk.data(), wanted, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            FailWithErrno("cannot read an image for");
        if (got == 0)
            FailShortSource();
        WriteThrough(chunk.data(), static_cast<size_t>(got));
        offset += static_cast<uint64_t>(got);
    }
}

void OutputFile::FailShortSource() {
    failed_ = true;
    Discard();
    Fail(kErrorFile,
         "an image file became shorter while it was copied into '" + target_.string() + "'");
}

void OutputFile::Commit() {
    if (failed_)
        Fail(kErrorFile, "the document could not be written before");
    Flush();
    if (::fsync(fd_) != 0)
        FailWithErrno("cannot flush");
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        FailWithErrno("cannot close");
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        FailWithErrno("cannot replace");
    temporary_.clear();
}

void OutputFile::Flush() {
    WriteThrough(buffer_.data(), buffer_.size());
    buffer_.clear();
}

void OutputFile::WriteThrough(const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd_, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            FailWithErrno("cannot write");
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
}

void OutputFile::FailWithErrno(const char* what) {
    const std::string reason = std::strerror(errno);
    failed_ = true;
    Discard();
    Fail(kErrorFile, std::string(what) + " '" + target_.string() + "': " + reason);
}

void OutputFile::Discard() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

}  // namespace pdf
