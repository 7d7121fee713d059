#pragma once

// Loading a server module and calling its registration entry points.

#include <string>

#include "regsvr_options.h"

namespace regsvr {

enum ExitStatus : int {
    kSucceeded = 0,
    kBadArguments = 1,
    kNotLoaded = 3,
    kEntryMissing = 4,
    kCallFailed = 5,
};

struct Outcome {
    ExitStatus status = kSucceeded;
    std::string message;  // one line for people, without the newline
};

// Loads the module (a relative path is taken from the working folder) and makes the calls the
// options ask for: DllRegisterServer then DllInstall(TRUE, ...), or DllInstall(FALSE, ...)
// then DllUnregisterServer. Stops at the first failure. The module stays loaded.
Outcome RegisterModule(const std::string& module, const Options& options);

}  // namespace regsvr
