#pragma once

// Movable global memory blocks, the medium in which data objects hand out drop lists. A block
// is plain C heap memory, so it may be freed by another module of the same process. Not
// thread-safe per block; distinct blocks are independent.

#include <cstddef>

namespace com {

struct HGLOBAL__;
using HGLOBAL = HGLOBAL__*;

constexpr unsigned GMEM_MOVEABLE = 0x0002;
constexpr unsigned GMEM_ZEROINIT = 0x0040;

// A new block of size bytes (zero-filled with GMEM_ZEROINIT); null when memory runs out.
HGLOBAL GlobalAlloc(unsigned flags, std::size_t size);

// The block's bytes, counting one lock; null for a null handle.
void* GlobalLock(HGLOBAL block);

// Counts one unlock; TRUE (1) while further locks remain, 0 otherwise.
int GlobalUnlock(HGLOBAL block);

// The block's size in bytes; 0 for a null handle.
std::size_t GlobalSize(HGLOBAL block);

// Frees the block; returns null. A null handle is accepted.
HGLOBAL GlobalFree(HGLOBAL block);

}  // namespace com
