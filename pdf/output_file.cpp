#include "output_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "failure.h"
#include "pdfwriter/pdf_writer.h"
#include "platform/path_names.h"
#include "platform/text.h"

namespace pdf {
namespace {

constexpr size_t kBufferSize = 256 * 1024;

[[noreturn]] void FailOn(const std::filesystem::path& target, const char* what, int error) {
    Fail(kErrorFile, std::string(what) + " '" + target.string() + "': " + std::strerror(error));
}

// Refuses, before any byte is written, a target that is a folder or whose name the file system
// cannot hold (an unnamed temporary file would only find that out when it is linked).
const std::filesystem::path& UsableTarget(const std::filesystem::path& target) {
    struct stat status {};
    if (::stat(target.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            FailOn(target, "cannot create", EISDIR);
        }
    } else if (errno == ENAMETOOLONG) {
        FailOn(target, "cannot create", ENAMETOOLONG);
    }
    return target;
}

std::filesystem::path NumberedPath(const std::filesystem::path& target, unsigned n) {
    return platform::PathToNative(
        platform::NumberedName(platform::PathFromNative(target.native()), n));
}

}  // namespace

OutputFile::OutputFile(const std::filesystem::path& target, bool claimName)
    : file_(UsableTarget(target)), claimName_(claimName) {
    if (!file_.ok()) {
        FailWithError("cannot create");
    }
    buffer_.reserve(kBufferSize);
}

void OutputFile::CheckUsable() const {
    if (!failure_.empty()) {
        Fail(kErrorFile, failure_);
    }
}

void OutputFile::Write(const void* data, size_t size) {
    CheckUsable();
    if (buffer_.size() + size > kBufferSize) {
        Flush();
    }
    if (size >= kBufferSize) {
        if (!file_.Write(data, size)) {
            FailWithError("cannot write");
        }
    } else {
        const char* bytes = static_cast<const char*>(data);
        buffer_.insert(buffer_.end(), bytes, bytes + size);
    }
    offset_ += size;
}

void OutputFile::Commit() {
    CheckUsable();
    Flush();
    const std::filesystem::path firstChoice = Target();
    const bool placed =
        claimName_
            ? file_.CommitUnderFreeName([&](unsigned n) { return NumberedPath(firstChoice, n); })
            : file_.Commit();
    if (!placed) {
        FailWithError("cannot write");
    }
}

void OutputFile::Flush() {
    if (!buffer_.empty() && !file_.Write(buffer_.data(), buffer_.size())) {
        FailWithError("cannot write");
    }
    buffer_.clear();
}

void OutputFile::FailWithError(const char* what) {
    failure_ = std::string(what) + " '" + Target().string() + "': " + std::strerror(file_.error());
    Fail(kErrorFile, failure_);
}

}  // namespace pdf
