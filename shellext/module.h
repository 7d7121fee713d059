#pragma once

// Process-wide state of the loaded module: where it lies, its menu caption and its menu
// bitmap, set once while the module loads and only read afterwards; and the count of objects
// and server locks that keeps it loaded.

#include <string>

#include "com/menu.h"

namespace shellext {

struct ModuleState {
    std::string path;      // absolute native path of the module file; empty when unknown
    std::string folder;    // the folder holding it, with a trailing '/'; empty when unknown
    std::wstring caption;  // the menu caption; empty when libbasalt is missing beside the module
    com::HBITMAP bitmap = nullptr;
};

// The state, filled on first use; the module's load calls it once so that the caption is
// fetched while the module loads. Thread-safe.
const ModuleState& Module();

// Counts objects and server locks alive (thread-safe); the module may be unloaded at zero.
void AddModuleReference();
void ReleaseModuleReference();
bool ModuleInUse();

// Keeps the module mapped until the process ends, even after a host unloads it: threads the
// module started may still be leaving its code after their last module reference is gone.
void PinModule();

}  // namespace shellext
