#pragma once

// Writes that fail the way a full disk makes them fail, without a full disk.

#include <cstdint>
#include <functional>

namespace testsupport {

// Runs body in a child process whose files cannot grow past limitBytes (writes beyond it fail
// with EFBIG; SIGXFSZ is ignored) and answers what body answered. The parent's files and state
// are untouched; a child that crashes answers false.
bool HoldsUnderFileSizeLimit(uint64_t limitBytes, const std::function<bool()>& body);

}  // namespace testsupport
