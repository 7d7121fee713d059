#include "own_module.h"

#include "platform/modules.h"

namespace basalt {

std::filesystem::path OwnModuleFile() {
    return platform::ModuleFileOf(reinterpret_cast<const void*>(&OwnModuleFile));
}

}  // namespace basalt
