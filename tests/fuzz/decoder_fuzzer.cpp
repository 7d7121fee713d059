// libFuzzer target for one format reader, chosen at build time: FUZZ_INSPECT and FUZZ_READ name
// the reader's functions. Any input may fail; none may crash, hang or leak.
//
// Images are capped at 4 megapixels: a few bytes of a well-compressed format (JBIG, PNG) can
// describe a legitimately huge picture, whose decoding time says nothing about memory safety.

#include <cstddef>
#include <cstdint>
#include <new>

#include "codec.h"
#include "formats.h"
#include "imaging/image.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    imaging::Image::SetMaxPixels(1 << 22);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    imaging::Bytes file(data, size);
    try {
        imaging::FUZZ_INSPECT(file);
    } catch (const imaging::ImageError&) {
    } catch (const std::bad_alloc&) {
    }
    try {
        imaging::FUZZ_READ(file);
    } catch (const imaging::ImageError&) {
    } catch (const std::bad_alloc&) {
    }
    return 0;
}
