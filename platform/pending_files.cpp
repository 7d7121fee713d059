#include "platform/pending_files.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <climits>
#include <cstring>

namespace platform {
namespace {

enum SlotState : int { kFree, kFilling, kReady };

struct Slot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
};
static_assert(std::atomic<int>::is_always_lock_free, "read inside a signal handler");

std::array<Slot, 32> slots;

}  // namespace

int RegisterPendingFile(const char* path) {
    if (std::strlen(path) >= PATH_MAX) {
        return -1;
    }
    for (size_t i = 0; i < slots.size(); ++i) {
        int expected = kFree;
        if (slots[i].state.compare_exchange_strong(expected, kFilling)) {
            std::strcpy(slots[i].path, path);
            slots[i].state = kReady;
            return static_cast<int>(i);
        }
    }
    return -1;
}

void ForgetPendingFile(int slot) {
    if (slot >= 0 && static_cast<size_t>(slot) < slots.size()) {
        slots[static_cast<size_t>(slot)].state = kFree;
    }
}

void RemovePendingFiles() {
    for (Slot& slot : slots) {
        if (slot.state == kReady) {
            ::unlink(slot.path);
        }
    }
}

}  // namespace platform
