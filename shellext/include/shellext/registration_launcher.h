#pragma once

// Switching the file-manager context-menu entry on and off from the desktop program: starts
// folioforge-regsvr from the program's folder on the libcommon.so beside it (or, installed, in
// ../lib/folioforge), as a separate process that the caller does not wait for. Two quick
// toggles may overlap; the later one's registration tool finishes last only by chance, as with
// any pair of independent processes.

#include <filesystem>
#include <string>
#include <vector>

namespace shellext {

enum class RegistrationAction { kRegister, kUnregister };

enum class RegistrationScope {
    // The current user's classes and file-manager folders; needs no administrator rights:
    //   folioforge-regsvr /s /n /i:user MODULE        (kUnregister adds /u)
    kCurrentUser,
    // Machine-wide classes and the system file-manager folders:
    //   folioforge-regsvr /s MODULE                   (kUnregister: /u /s)
    // run through pkexec, which asks for administrator rights, when the module lies in a
    // folder the user cannot write (a system folder).
    kMachine,
};

// Starts the registration tool for the module in programFolder. True when the tool (or pkexec)
// was started; false when it could not be (missing, not executable). The tool's own outcome is
// not reported. Safe from any thread; returns at once.
bool StartExtensionRegistration(RegistrationAction action, RegistrationScope scope,
                                const std::filesystem::path& programFolder);

// As above, for the folder of the running program.
bool StartExtensionRegistration(RegistrationAction action, RegistrationScope scope);

// The command that StartExtensionRegistration runs, program first, for tests and diagnostics.
std::vector<std::string> ExtensionRegistrationCommand(RegistrationAction action,
                                                      RegistrationScope scope,
                                                      const std::filesystem::path& programFolder);

}  // namespace shellext
