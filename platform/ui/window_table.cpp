#include "window_table.h"

#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace {

struct WindowTable {
    std::mutex mutex;
    std::unordered_map<std::uintptr_t, CHostWindow*> windows;
    std::uintptr_t lastHandle = 0;
};

WindowTable& Table() {
    static WindowTable table;
    return table;
}

}  // namespace

HWND RegisterWindow(CHostWindow* window) {
    WindowTable& table = Table();
    const std::lock_guard lock(table.mutex);
    const std::uintptr_t handle = ++table.lastHandle;
    table.windows.emplace(handle, window);
    return reinterpret_cast<HWND>(handle);
}

void UnregisterWindow(HWND handle) {
    WindowTable& table = Table();
    const std::lock_guard lock(table.mutex);
    table.windows.erase(reinterpret_cast<std::uintptr_t>(handle));
}

CHostWindow* LookUpWindow(HWND handle) {
    if (handle == nullptr) {
        return nullptr;
    }
    WindowTable& table = Table();
    const std::lock_guard lock(table.mutex);
    const auto found = table.windows.find(reinterpret_cast<std::uintptr_t>(handle));
    return found != table.windows.end() ? found->second : nullptr;
}
