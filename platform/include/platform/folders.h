#pragma once

#include <filesystem>

namespace platform {

// The user's documents folder as the XDG user-dirs configuration names it ($XDG_DOCUMENTS_DIR,
// then XDG_DOCUMENTS_DIR in $XDG_CONFIG_HOME/user-dirs.dirs, then ~/Documents). Created when
// missing; creation failures are silent.
std::filesystem::path DocumentsFolder();

}  // namespace platform
