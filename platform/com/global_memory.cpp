#include "com/global_memory.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace com {

// The header in front of a block's bytes; the bytes start at the next max_align_t boundary.
struct HGLOBAL__ {
    std::size_t size;
    unsigned locks;
};

namespace {

constexpr std::size_t kHeaderSize = (sizeof(HGLOBAL__) + alignof(std::max_align_t) - 1) /
                                    alignof(std::max_align_t) * alignof(std::max_align_t);

unsigned char* BytesOf(HGLOBAL block) {
    return reinterpret_cast<unsigned char*>(block) + kHeaderSize;
}

}  // namespace

HGLOBAL GlobalAlloc(unsigned flags, std::size_t size) {
    if (size > static_cast<std::size_t>(-1) - kHeaderSize) {
        return nullptr;
    }
    void* memory = std::malloc(kHeaderSize + size);
    if (!memory) {
        return nullptr;
    }
    auto* block = new (memory) HGLOBAL__{size, 0};
    if (flags & GMEM_ZEROINIT) {
        std::memset(BytesOf(block), 0, size);
    }
    return block;
}

void* GlobalLock(HGLOBAL block) {
    if (!block) {
        return nullptr;
    }
    ++block->locks;
    return BytesOf(block);
}

int GlobalUnlock(HGLOBAL block) {
    if (!block || block->locks == 0) {
        return 0;
    }
    return --block->locks > 0 ? 1 : 0;
}

std::size_t GlobalSize(HGLOBAL block) {
    return block ? block->size : 0;
}

HGLOBAL GlobalFree(HGLOBAL block) {
    std::free(block);
    return nullptr;
}

}  // namespace com
