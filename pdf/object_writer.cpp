#include "object_writer.h"

#include <cstdio>

#include "failure.h"
#include "pdf_syntax.h"
#include "pdfwriter/pdf_writer.h"

namespace pdf {
namespace {

// Offsets in the cross-reference table have ten digits (7.5.4).
constexpr uint64_t kLargestOffset = 9'999'999'999ULL;

std::string ObjectHeader(uint32_t id) {
    return std::to_string(id) + " 0 obj\n";
}

}  // namespace

ObjectWriter::ObjectWriter(OutputFile& file) : file_(file) {
    // The comment line of bytes above 127 marks the file as binary (7.5.2).
    file_.Write("%PDF-1.7\n%\xE2\xE3\xCF\xD3\n");
}

uint32_t ObjectWriter::Allocate() {
    offsets_.push_back(0);
    return static_cast<uint32_t>(offsets_.size());
}

void ObjectWriter::WriteObject(uint32_t id, std::string_view body) {
    MarkOffset(id);
    file_.Write(ObjectHeader(id));
    file_.Write(body);
    file_.Write("\nendobj\n");
}

uint32_t ObjectWriter::AddObject(std::string_view body) {
    const uint32_t id = Allocate();
    WriteObject(id, body);
    return id;
}

void ObjectWriter::BeginStream(uint32_t id, std::string_view entries,
                               std::optional<uint64_t> length) {
    OpenStream stream{.length = length};
    std::string lengthText;
    if (length) {
        lengthText = std::to_string(*length);
    } else {
        stream.lengthId = Allocate();
        lengthText = Reference(stream.lengthId);
    }
    MarkOffset(id);
    file_.Write(ObjectHeader(id) + "<<" + std::string(entries) + " /Length " + lengthText +
                ">>\nstream\n");
    stream.dataStart = file_.Offset();
    stream_ = stream;
}

void ObjectWriter::WriteStreamData(const void* data, size_t size) {
    file_.Write(data, size);
}

void ObjectWriter::EndStream() {
    const OpenStream stream = *stream_;
    stream_.reset();
    const uint64_t written = file_.Offset() - stream.dataStart;
    if (stream.length && *stream.length != written) {
        Fail(kErrorFile, "stream data changed while it was copied");
    }
    file_.Write("\nendstream\nendobj\n");
    if (!stream.length) {
        WriteObject(stream.lengthId, std::to_string(written));
    }
}

void ObjectWriter::Finish(std::string_view trailerEntries) {
    for (uint32_t id = 1; id <= offsets_.size(); ++id) {
        if (offsets_[id - 1] == 0) {
            WriteObject(id, "null");
        }
    }
    const uint64_t xrefOffset = file_.Offset();
    file_.Write("xref\n0 " + std::to_string(offsets_.size() + 1) + "\n0000000000 65535 f\r\n");
    for (const uint64_t offset : offsets_) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010llu 00000 n\r\n",
                      static_cast<unsigned long long>(offset));
        file_.Write(entry, 20);
    }
    file_.Write("trailer\n<</Size " + std::to_string(offsets_.size() + 1) + " " +
                std::string(trailerEntries) + ">>\nstartxref\n" + std::to_string(xrefOffset) +
                "\n%%EOF\n");
}

void ObjectWriter::MarkOffset(uint32_t id) {
    const uint64_t offset = file_.Offset();
    if (offset > kLargestOffset) {
        Fail(kErrorFile, "the document exceeds 10 GB");
    }
    offsets_[id - 1] = offset;
}

}  // namespace pdf
