#include "deflate_stream.h"

#include <string>

#include "failure.h"
#include "pdfwriter/pdf_writer.h"

namespace pdf {
namespace {

constexpr size_t kChunkSize = 64 * 1024;

}  // namespace

DeflateStream::DeflateStream(ObjectWriter& writer, uint32_t id, std::string_view entries)
    : writer_(writer), chunk_(kChunkSize) {
    if (deflateInit(&zlib_, Z_DEFAULT_COMPRESSION) != Z_OK) {
        Fail(kErrorMemory, "cannot start compression");
    }
    writer_.BeginStream(id, std::string(entries) + " /Filter /FlateDecode", std::nullopt);
}

DeflateStream::~DeflateStream() {
    deflateEnd(&zlib_);
}

void DeflateStream::Write(std::span<const uint8_t> data) {
    // zlib takes at most 4 GB per call.
    while (!data.empty()) {
        const size_t part = std::min<size_t>(data.size(), 1u << 30);
        zlib_.next_in = const_cast<uint8_t*>(data.data());
        zlib_.avail_in = static_cast<uInt>(part);
        Pump(Z_NO_FLUSH);
        data = data.subspan(part);
    }
}

void DeflateStream::Write(std::string_view text) {
    Write({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

void DeflateStream::Finish() {
    zlib_.next_in = nullptr;
    zlib_.avail_in = 0;
    Pump(Z_FINISH);
    writer_.EndStream();
}

void DeflateStream::Pump(int flush) {
    int status;
    do {
        zlib_.next_out = chunk_.data();
        zlib_.avail_out = static_cast<uInt>(chunk_.size());
        status = deflate(&zlib_, flush);
        if (status == Z_STREAM_ERROR)
            Fail(kErrorMemory, "compression failed");
        writer_.WriteStreamData(chunk_.data(), chunk_.size() - zlib_.avail_out);
    } while (zlib_.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
}

void WriteDeflated(ObjectWriter& writer, uint32_t id, std::string_view entries,
                   std::string_view data) {
    DeflateStream stream(writer, id, entries);
    stream.Write(data);
    stream.Finish();
}

}  // namespace pdf
