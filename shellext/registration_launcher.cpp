#include "shellext/registration_launcher.h"

#include <unistd.h>

#include "program_launch.h"

namespace shellext {
namespace {

namespace fs = std::filesystem;

constexpr char kModuleName[] = "libcommon.so";
constexpr char kInstalledLibraries[] = "../lib/folioforge";
constexpr char kToolName[] = "folioforge-regsvr";
constexpr char kElevator[] = "pkexec";

bool UserCanWrite(const fs::path& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

// The module beside the program (a build tree), else the one of an installed tree, where the
// programs are in bin/ and the libraries in lib/folioforge/; beside the program when neither
// exists.
fs::path ModuleFor(const fs::path& folder) {
    const fs::path beside = folder / kModuleName;
    const fs::path installed = (folder / kInstalledLibraries / kModuleName).lexically_normal();
    std::error_code error;
    if (!fs::exists(beside, error) && fs::exists(installed, error)) {
        return installed;
    }
    return beside;
}

}  // namespace

std::vector<std::string> ExtensionRegistrationCommand(RegistrationAction action,
                                                      RegistrationScope scope,
                                                      const fs::path& programFolder) {
    const fs::path folder = fs::absolute(programFolder).lexically_normal();
    std::vector<std::string> command;
    if (scope == RegistrationScope::kMachine && !UserCanWrite(folder)) {
        command.push_back(kElevator);
    }
    command.push_back((folder / kToolName).string());
    if (action == RegistrationAction::kUnregister) {
        command.push_back("/u");
    }
    command.push_back("/s");
    if (scope == RegistrationScope::kCurrentUser) {
        command.insert(command.end(), {"/n", "/i:user"});
    }
    command.push_back("--");
    command.push_back(ModuleFor(folder).string());
    return command;
}

bool StartExtensionRegistration(RegistrationAction action, RegistrationScope scope,
                                const fs::path& programFolder) {
    std::vector<std::string> command = ExtensionRegistrationCommand(action, scope, programFolder);
    const std::string program = command.front();
    command.erase(command.begin());
    return StartDetached(program, command, {}) == 0;
}

bool StartExtensionRegistration(RegistrationAction action, RegistrationScope scope) {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return !error && StartExtensionRegistration(action, scope, self.parent_path());
}

}  // namespace shellext
