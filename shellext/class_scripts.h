#pragma once

#include <string>

#include "registry_script.h"

namespace shellext {

// The application script: AppID\{app id} = "Common" and AppID\Common.DLL with value AppID.
RegistryScript ApplicationScript();

// The class script: both program ids, CLSID\{class id} with ProgID, VersionIndependentProgID,
// Programmable, InprocServer32 (the module path, apartment threading) and TypeLib, and the
// handler key *\ShellEx\ContextMenuHandlers\MenuItem.
RegistryScript ClassScript(const std::wstring& modulePath);

}  // namespace shellext
