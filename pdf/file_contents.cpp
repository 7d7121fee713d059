#include "file_contents.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "failure.h"
#include "pdfwriter/pdf_writer.h"

namespace pdf {
namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

[[noreturn]] void CannotRead(const std::filesystem::path& path, const std::string& reason) {
    Fail(kErrorImage, "cannot read '" + path.string() + "': " + reason);
}

}  // namespace

FileContents::FileContents(const std::filesystem::path& path) {
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        CannotRead(path, std::strerror(errno));
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        CannotRead(path, "not a regular file");
    }
    const auto expected = static_cast<size_t>(status.st_size);
    data_.reset(new uint8_t[expected == 0 ? 1 : expected]);
    while (size_ < expected) {
        const ssize_t got = ::read(fd.get(), data_.get() + size_, expected - size_);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            CannotRead(path, std::strerror(errno));
        if (got == 0)
            break;  // the file shrank meanwhile: keep what is there
        size_ += static_cast<size_t>(got);
    }
}

}  // namespace pdf
