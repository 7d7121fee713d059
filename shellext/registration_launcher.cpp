#include "shellext/registration_launcher.h"

#include <unistd.h>

#include "program_launch.h"

namespace shellext {
namespace {

namespace fs = std::filesystem;

constexpr char kModuleName[] = "libcommon.so";
constexpr char kToolName[] = "folioforge-regsvr";
constexpr char kElevator[] = "pkexec";

bool UserCanWrite(const fs::path& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
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
    command.push_back((folder / kModuleName).string());
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
