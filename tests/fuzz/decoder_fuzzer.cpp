// libFuzzer target for one format reader, chosen at build time: FUZZ_INSPECT and FUZZ_READ name
// the reader's functions. Any input may fail; none may crash, hang or leak.

#include <cstddef>
#include <cstdint>
#include <new>

#include "codec.h"
#include "formats.h"

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
