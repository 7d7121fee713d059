#pragma once

// The loaded program and its shared libraries, as the dynamic linker sees them.

#include <filesystem>

namespace platform {

// The file of the loaded module (the program or a shared library) that holds address, as the
// dynamic linker opened it; empty when no module holds it. Thread-safe.
std::filesystem::path ModuleFileOf(const void* address);

// The address of the symbol of that name when the program itself defines it, not one of its
// shared libraries; nullptr otherwise. Thread-safe.
const void* ProgramSymbol(const char* name);

}  // namespace platform
