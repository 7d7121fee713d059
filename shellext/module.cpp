#include "module.h"

#include <dlfcn.h>

#include <atomic>
#include <filesystem>

#include "caption.h"
#include "menu_bitmap.h"

namespace shellext {
namespace {

std::atomic<long> gModuleReferences{0};

// The absolute path of the file this code was loaded from.
std::string OwnPath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&Module), &info) == 0 || !info.dli_fname ||
        !*info.dli_fname) {
        return {};
    }
    std::error_code error;
    const auto path = std::filesystem::absolute(info.dli_fname, error);
    return error ? std::string() : path.lexically_normal().string();
}

ModuleState Load() {
    ModuleState state;
    state.path = OwnPath();
    if (!state.path.empty()) {
        state.folder = state.path.substr(0, state.path.rfind('/') + 1);
        state.caption = LoadCaption(state.folder + "libbasalt.so");
    }
    state.bitmap = LoadBitmapResource(kMenuBitmapId);
    return state;
}

// Runs while the module is loaded into a process, like a module's attach notification.
[[gnu::constructor]] void OnModuleLoad() {
    Module();
}

}  // namespace

const ModuleState& Module() {
    static const ModuleState state = Load();
    return state;
}

void AddModuleReference() {
    ++gModuleReferences;
}

void ReleaseModuleReference() {
    --gModuleReferences;
}

bool ModuleInUse() {
    return gModuleReferences.load() > 0;
}

void PinModule() {
    static void* const pinned =
        Module().path.empty()
            ? nullptr
            : dlopen(Module().path.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    (void)pinned;
}

}  // namespace shellext
