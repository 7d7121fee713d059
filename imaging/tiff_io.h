#pragma once

// libtiff on memory: a TIFF read from a byte view or written into a growing vector, with
// libtiff's errors captured (the first one is the reason given) instead of printed.

#include <tiffio.h>

#include <memory>
#include <vector>

#include "codec.h"

namespace imaging {

struct TiffStream;

class TiffHandle {
public:
    // Opens the first directory of file; fails with libtiff's reason when it cannot.
    static TiffHandle OpenForReading(Bytes file);
    // Starts a TIFF written into out; out must outlive the handle.
    static TiffHandle OpenForWriting(std::vector<uint8_t>& out);

    TiffHandle(TiffHandle&&) noexcept;
    TiffHandle& operator=(TiffHandle&&) = delete;
    ~TiffHandle();

    TIFF* get() const { return tiff_; }

    // The first error libtiff reported, with its "damaged TIFF: " or "unsupported TIFF: "
    // prefix; empty when none.
    const char* error() const;

    // Fails with the first error libtiff reported, else with fallback.
    [[noreturn]] void FailWith(const char* fallback) const;

    // Flushes and closes the file (writing mode); fails when libtiff cannot finish it.
    void Finish();

private:
    TiffHandle(std::unique_ptr<TiffStream> stream, TIFF* tiff);
    static TiffHandle Open(std::unique_ptr<TiffStream> stream, const char* mode);

    std::unique_ptr<TiffStream> stream_;
    TIFF* tiff_ = nullptr;
};

}  // namespace imaging
