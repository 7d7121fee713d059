#include "image_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "failure.h"
#include "pdfwriter/pdf_writer.h"

namespace pdf {
namespace {

[[noreturn]] void CannotRead(const std::string& name, const std::string& reason) {
    Fail(kErrorImage, "cannot read '" + name + "': " + reason);
}

}  // namespace

ImageSource::ImageSource(std::span<const uint8_t> memory)
    : memory_(memory), size_(memory.size()), name_("virtual file") {}

ImageSource::ImageSource(const std::filesystem::path& file) : name_(file.string()) {
    fd_ = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        CannotRead(name_, std::strerror(errno));
    struct stat status {};
    if (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd_);
        CannotRead(name_, "not a regular file");
    }
    size_ = static_cast<uint64_t>(status.st_size);
}

ImageSource::~ImageSource() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::span<const uint8_t> ImageSource::Head(size_t maximum) {
    const size_t size = static_cast<size_t>(std::min<uint64_t>(maximum, size_));
    if (fd_ < 0 || memory_.size() >= size)
        return memory_.subspan(0, size);
    memory_ = ReadRange(0, size);
    return memory_;
}

std::span<const uint8_t> ImageSource::Tail(size_t maximum) {
    const size_t size = static_cast<size_t>(std::min<uint64_t>({maximum, kTailSize, size_}));
    if (fd_ < 0 || memory_.size() == size_)
        return memory_.subspan(memory_.size() - size);
    // A small read of its own, so the head already read stays valid.
    const off_t offset = static_cast<off_t>(size_ - size);
    if (::pread(fd_, tail_.data(), size, offset) != static_cast<ssize_t>(size)) {
        CannotRead(name_, "the file ended early");
    }
    return {tail_.data(), size};
}

std::span<const uint8_t> ImageSource::All() {
    return Head(size_);
}

std::span<const uint8_t> ImageSource::ReadRange(uint64_t offset, size_t size) {
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[std::max<size_t>(size, 1)]);
    size_t done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(fd_, buffer.get() + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            CannotRead(name_, std::strerror(errno));
        if (got == 0)
            CannotRead(name_, "the file ended early");
        done += static_cast<size_t>(got);
    }
    buffer_ = std::move(buffer);
    return {buffer_.get(), size};
}

void ImageSource::CopyTo(ObjectWriter& writer) {
    if (fd_ < 0 || memory_.size() == size_) {
        writer.WriteStreamData(memory_.data(), memory_.size());
        return;
    }
    writer.CopyStreamData(fd_, size_);
}

}  // namespace pdf
