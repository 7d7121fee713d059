#include "image_source.h"

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

std::string ReadFailure(int error) {
    return error == ENODATA ? "the file ended early" : std::strerror(error);
}

}  // namespace

ImageSource::ImageSource(std::span<const uint8_t> memory)
    : memory_(memory), size_(memory.size()), name_("virtual file") {}

ImageSource::ImageSource(const std::filesystem::path& file) : name_(file.string()) {
    file_.emplace(file);
    if (!file_->ok()) {
        CannotRead(name_,
                   file_->error() == EINVAL ? "not a regular file" : std::strerror(file_->error()));
    }
    size_ = file_->size();
}

std::span<const uint8_t> ImageSource::Head(size_t maximum) {
    const size_t size = static_cast<size_t>(std::min<uint64_t>(maximum, size_));
    if (!file_ || memory_.size() >= size) {
        return memory_.subspan(0, size);
    }
    memory_ = ReadRange(0, size);
    return memory_;
}

std::span<const uint8_t> ImageSource::All() {
    return Head(size_);
}

std::span<const uint8_t> ImageSource::ReadRange(uint64_t offset, size_t size) {
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[std::max<size_t>(size, 1)]);
    if (!file_->ReadAt(offset, buffer.get(), size)) {
        CannotRead(name_, ReadFailure(file_->error()));
    }
    buffer_ = std::move(buffer);
    return {buffer_.get(), size};
}

}  // namespace pdf
