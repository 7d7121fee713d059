#pragma once

#include <filesystem>

namespace basalt {

// The file of the library (or of the executable it is built into) that holds this code; empty
// when the loader cannot tell.
std::filesystem::path OwnModuleFile();

}  // namespace basalt
