#pragma once

// Helpers for tests that drive libcommon.so through its entry points, as a host would.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "com/server_exports.h"
#include "com/shell_extension.h"

namespace shellext_testing {

// Paths of the built programs and libraries the tests use.
std::filesystem::path BuiltModule();           // build/bin/libcommon.so
std::filesystem::path BuiltBinFolder();        // build/bin
std::filesystem::path RecordingProgramFile();  // record-args
std::filesystem::path FakeBasalt(bool withText);

// A loaded copy of a server module and its entry points. The module stays loaded for the rest
// of the process (a host may not unload a module with running reapers).
struct ServerModule {
    explicit ServerModule(const std::filesystem::path& file);

    com::DllRegisterServerFn registerServer = nullptr;
    com::DllUnregisterServerFn unregisterServer = nullptr;
    com::DllInstallFn install = nullptr;
    com::DllGetClassObjectFn getClassObject = nullptr;
    com::DllCanUnloadNowFn canUnloadNow = nullptr;

    // A new CPMenuItem handler, asked for IContextMenu; fails the test when it cannot be made.
    com::IContextMenu* CreateMenuHandler() const;
};

// Hands paths to the handler as a file manager does; returns Initialize's result.
com::HRESULT InitializeWith(com::IContextMenu* handler, const std::vector<std::wstring>& paths);

// Runs command offset 0 of the handler.
com::HRESULT InvokeFirstCommand(com::IContextMenu* handler);

// Points the module's program at the recording stand-in, writing to a file in folder, for the
// object's lifetime.
class RecordingProgram {
public:
    explicit RecordingProgram(const std::filesystem::path& folder, bool overrideProgram = true);
    ~RecordingProgram();

    // The arguments the stand-in received; nullopt when it has not run within patience.
    std::optional<std::vector<std::string>> Arguments(
        std::chrono::milliseconds patience = std::chrono::seconds(20)) const;

private:
    std::filesystem::path file_;
    bool overrideProgram_;
};

// Sets an environment variable for the object's lifetime and restores the old value after.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value);
    ~ScopedEnvironment();

private:
    std::string name_;
    std::optional<std::string> old_;
};

// The menu caption the handler shows.
std::wstring CaptionOf(com::IContextMenu* handler);

}  // namespace shellext_testing
