#pragma once

// Running folioforge-regsvr and folioforge-shellhost as a user or a file manager would, with the
// settings store and the data folders in temporary folders.

#include <filesystem>
#include <string>

#include "pdf_tools.h"
#include "shellext_testing.h"
#include "temp_dir.h"

namespace shell_tools {

inline std::filesystem::path Tool(const std::string& name) {
    return shellext_testing::BuiltBinFolder() / name;
}

// Runs a command line in folder; standard output and error together.
inline testsupport::ToolResult RunIn(const std::filesystem::path& folder,
                                     const std::string& command) {
    return testsupport::RunTool("cd " + testsupport::Quoted(folder) + " && " + command, true);
}

// A private settings store and data folders for one test.
class ShellToolsTest : public ::testing::Test {
protected:
    ShellToolsTest()
        : userData_("XDG_DATA_HOME", (dir_ / "data").string()),
          systemData_("XDG_DATA_DIRS", (dir_ / "system-data").string()) {}

    std::string Regsvr(const std::string& arguments) const {
        return testsupport::Quoted(Tool("folioforge-regsvr")) + " " + arguments;
    }
    std::string Shellhost(const std::string& arguments) const {
        return testsupport::Quoted(Tool("folioforge-shellhost")) + " " + arguments;
    }
    static std::string Module() { return testsupport::Quoted(shellext_testing::BuiltModule()); }

    testsupport::ScopedSettingsHome home_;
    testsupport::TempDir dir_;
    shellext_testing::ScopedEnvironment userData_;
    shellext_testing::ScopedEnvironment systemData_;
};

}  // namespace shell_tools
