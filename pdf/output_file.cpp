#include "output_file.h"

#include <cstring>

#include "failure.h"
#include "pdfwriter/pdf_writer.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace pdf {
namespace {

constexpr size_t kBufferSize = 256 * 1024;

// Refuses a folder as the target before any byte is written for it.
const std::filesystem::path& NotAFolder(const std::filesystem::path& target) {
    if (platform::KindOf(platform::FromUtf8(target.string())) == platform::PathKind::kFolder) {
        Fail(kErrorFile, "'" + target.string() + "' is a folder");
    }
    return target;
}

}  // namespace

OutputFile::OutputFile(const std::filesystem::path& target) : file_(NotAFolder(target)) {
    if (!file_.ok()) {
        FailWithError("cannot create a file in the folder of");
    }
    buffer_.reserve(kBufferSize);
}

void OutputFile::CheckUsable() const {
    if (!file_.ok()) {
        Fail(kErrorFile, "the document could not be written before");
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
    if (!file_.Commit()) {
        FailWithError("cannot replace");
    }
}

void OutputFile::Flush() {
    if (!buffer_.empty() && !file_.Write(buffer_.data(), buffer_.size())) {
        FailWithError("cannot write");
    }
    buffer_.clear();
}

void OutputFile::FailWithError(const char* what) const {
    Fail(kErrorFile,
         std::string(what) + " '" + file_.target().string() + "': " + std::strerror(file_.error()));
}

}  // namespace pdf
