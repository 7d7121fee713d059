#include "platform/modules.h"

#include <dlfcn.h>
#include <link.h>

namespace platform {

std::filesystem::path ModuleFileOf(const void* address) {
    Dl_info info{};
    if (::dladdr(address, &info) == 0 || !info.dli_fname) {
        return {};
    }
    return info.dli_fname;
}

const void* ProgramSymbol(const char* name) {
    void* symbol = ::dlsym(RTLD_DEFAULT, name);
    if (!symbol) {
        return nullptr;
    }
    // The program heads the list of loaded modules; a symbol found in any other is not its own.
    Dl_info info{};
    link_map* module = nullptr;
    if (::dladdr1(symbol, &info, reinterpret_cast<void**>(&module), RTLD_DL_LINKMAP) == 0 ||
        !module || module->l_prev) {
        return nullptr;
    }
    return symbol;
}

}  // namespace platform
