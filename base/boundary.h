#pragma once

// The one exception trap of the library's C interface: every exported function runs its body
// through CallTrapped, so no exception ever crosses into a caller that cannot handle it.

#include <utility>

namespace basalt {

// Runs body and returns its result; when it throws anything, returns failure instead.
template <typename Result, typename Body>
Result CallTrapped(Result failure, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return failure;
    }
}

// The same for bodies without a result.
template <typename Body>
void CallTrapped(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (...) {
    }
}

}  // namespace basalt
