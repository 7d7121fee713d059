#pragma once

#include <filesystem>
#include <optional>

namespace platform {

// The user's documents folder as the XDG user-dirs configuration names it ($XDG_DOCUMENTS_DIR,
// then XDG_DOCUMENTS_DIR in $XDG_CONFIG_HOME/user-dirs.dirs, then ~/Documents). Created when
// missing; creation failures are silent.
std::filesystem::path DocumentsFolder();

// The documents folder found as DocumentsFolder finds it, without creating it; nullopt when it
// would rest on a home folder that is not known ($HOME unset or empty), rather than on "/".
std::optional<std::filesystem::path> KnownDocumentsFolder();

}  // namespace platform
