#pragma once

// What preparing an image ahead of its page will cost in memory, judged from the file's size
// and header before anything is decoded, so that the pipeline can keep within its budget.

#include <cstdint>
#include <string>

namespace engine {

// Decoding and re-encoding: the file's bytes plus its decoded pixels (width x height x the
// samples of a pixel, alpha included, at one or two bytes each). A file whose header cannot be
// read costs its size. 0 when the file cannot be opened. Any thread.
uint64_t DecodedSizeOf(const std::wstring& path);

// Proving a PNG for pass-through: the file's bytes plus the inflate buffer (at most
// pdf::kProofBufferLimit). 0 for a file that is not a PNG, which is not read ahead. Any thread.
uint64_t PngProofCost(const std::wstring& path);

}  // namespace engine
