#include "png_data_proof.h"

#include <libdeflate.h>
#include <zlib.h>

#include <memory>

namespace pdf {
namespace {

// Counts inflated bytes and checks the filter type that begins each row (PNG filters 0-4).
struct RowChecker {
    uint64_t stride = 0;
    uint64_t produced = 0;
    uint64_t nextRow = 0;
    bool valid = true;

    void Take(const uint8_t* data, size_t size) {
        for (; nextRow < produced + size; nextRow += stride) {
            if (data[nextRow - produced] > 4) {
                valid = false;
            }
        }
        produced += size;
    }
};

// The compressed stream in one piece: the single IDAT chunk's data as it lies, or a copy of
// the chunks' data joined.
std::span<const uint8_t> Joined(const std::vector<std::span<const uint8_t>>& data,
                                std::vector<uint8_t>& joined) {
    if (data.size() == 1) {
        return data.front();
    }
    for (const std::span<const uint8_t> part : data) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

// The calling thread's inflate buffer, of at least size bytes (at most kProofBufferLimit). It
// is kept from proof to proof: fresh megabytes for every image cost more in page faults than
// the inflating.
uint8_t* InflateBuffer(uint64_t size) {
    thread_local std::unique_ptr<uint8_t[]> buffer;
    thread_local uint64_t capacity = 0;
    if (capacity < size) {
        buffer.reset();
        buffer.reset(new uint8_t[size]);
        capacity = size;
    }
    return buffer.get();
}

bool InflateInOneCall(const std::vector<std::span<const uint8_t>>& data, RowChecker& rows,
                      uint64_t expected) {
    std::vector<uint8_t> joined;
    const std::span<const uint8_t> stream = Joined(data, joined);
    uint8_t* inflated = InflateBuffer(std::max<uint64_t>(expected, 1));
    std::unique_ptr<libdeflate_decompressor, decltype(&libdeflate_free_decompressor)> inflater(
        libdeflate_alloc_decompressor(), &libdeflate_free_decompressor);
    if (!inflater) {
        return false;
    }
    // Without an actual-size result, anything but exactly expected bytes is a failure.
    if (libdeflate_zlib_decompress(inflater.get(), stream.data(), stream.size(), inflated, expected,
                                   nullptr) != LIBDEFLATE_SUCCESS) {
        return false;
    }
    rows.Take(inflated, expected);
    return rows.valid;
}

bool InflateThroughWindow(const std::vector<std::span<const uint8_t>>& data, RowChecker& rows,
                          uint64_t expected) {
    z_stream zlib{};
    if (inflateInit(&zlib) != Z_OK) {
        return false;
    }
    std::vector<uint8_t> window(256 * 1024);
    int status = Z_OK;
    for (const std::span<const uint8_t> part : data) {
        zlib.next_in = const_cast<uint8_t*>(part.data());
        zlib.avail_in = static_cast<uInt>(part.size());
        while (status == Z_OK && zlib.avail_in > 0 && rows.produced <= expected) {
            zlib.next_out = window.data();
            zlib.avail_out = static_cast<uInt>(window.size());
            status = inflate(&zlib, Z_NO_FLUSH);
            rows.Take(window.data(), window.size() - zlib.avail_out);
        }
    }
    inflateEnd(&zlib);
    return status == Z_STREAM_END && rows.valid && rows.produced == expected;
}

}  // namespace

bool PngDataIsSound(const std::vector<std::span<const uint8_t>>& data, uint64_t rows,
                    uint64_t rowBytes) {
    RowChecker checker{.stride = rowBytes + 1};
    const uint64_t expected = rows * checker.stride;
    if (expected <= kProofBufferLimit) {
        return InflateInOneCall(data, checker, expected);
    }
    return InflateThroughWindow(data, checker, expected);
}

}  // namespace pdf
