#include "own_module.h"

#include <dlfcn.h>

namespace basalt {

std::filesystem::path OwnModuleFile() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&OwnModuleFile), &info) == 0 || !info.dli_fname) {
        return {};
    }
    return info.dli_fname;
}

}  // namespace basalt
