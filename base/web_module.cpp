#include "web_module.h"

#include <dlfcn.h>

#include "own_module.h"

namespace basalt {
namespace {

// Loads the module once; it stays loaded for the life of the process, since the browser engine
// cannot be unloaded.
OpenWebWindowEntry LoadEntry() {
    const auto file = OwnModuleFile().parent_path() / kWebModuleFile;
    void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<OpenWebWindowEntry>(dlsym(module, kWebModuleEntry));
}

}  // namespace

HWND OpenWebWindow(const wchar_t* url, HWND parent, uint32_t style, unsigned int message) {
    static const OpenWebWindowEntry entry = LoadEntry();
    return entry != nullptr ? entry(url, parent, style, message) : nullptr;
}

}  // namespace basalt
