#pragma once

namespace shellext {

// Machine-wide registration writes the classes to HKEY_CLASSES_ROOT and the file-manager
// entries to the system data folder; per-user registration writes the classes to the current
// user's Software\Classes and the entries to the user's data folder.
enum class Scope { kMachine, kCurrentUser };

}  // namespace shellext
