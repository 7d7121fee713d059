#pragma once

// Finding context-menu handlers in the classes hives: the current user's
// HKEY_CURRENT_USER\Software\Classes first, then HKEY_CLASSES_ROOT, as the merged classes view
// of a shell reads them.

#include <optional>
#include <string>
#include <vector>

#include "com/guid.h"

namespace shellhost {

// The class ids registered under TYPE\shellex\ContextMenuHandlers for "*" (when the selection
// holds files) and "Directory" (when it holds folders), each once, in the order found. A
// handler key names its class in its default value, or by its own name when that is a class id.
std::vector<com::CLSID> FindContextMenuHandlers(bool forFiles, bool forFolders);

// The module path registered as the class's InprocServer32 (native path); nullopt when the
// class is not registered.
std::optional<std::string> FindInprocServer(const com::CLSID& clsid);

}  // namespace shellhost
