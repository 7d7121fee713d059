#pragma once

// Driving one context-menu handler the way a file manager does: load its module, get its
// class factory, create the handler, hand it the selection, let it fill a menu and run the
// command of its first item.

#include <string>
#include <vector>

#include "com/guid.h"

namespace shellhost {

enum ExitStatus : int {
    kDone = 0,
    kBadArguments = 1,
    kNoHandler = 2,
    kModuleNotLoaded = 3,
    kNotAServer = 4,  // the module lacks DllGetClassObject or does not serve the class
    kHandlerFailed = 5,
};

struct HostOutcome {
    ExitStatus status = kDone;
    std::string message;  // for people; empty when the command ran
};

// Loads module (a native path), creates the class clsid, initialises it with paths, asks for
// its menu items and invokes the first one. A handler that adds no item is no failure. The
// module is unloaded afterwards only when it says it can be (DllCanUnloadNow).
HostOutcome RunContextMenuHandler(const std::string& module, const com::CLSID& clsid,
                                  const std::vector<std::wstring>& paths);

}  // namespace shellhost
