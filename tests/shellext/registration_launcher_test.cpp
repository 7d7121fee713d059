#include "shellext/registration_launcher.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/registry.h"
#include "shellext_testing.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using shellext::RegistrationAction;
using shellext::RegistrationScope;

constexpr wchar_t kUserInprocServer[] =
    L"Software\\Classes\\CLSID\\{1C8BA08F-E4D2-4929-B7E3-DF4DAFF7A333}\\InprocServer32";

// Waits until the detached tool has finished: the Nautilus script is the last thing that
// registration writes and unregistration removes.
bool WaitUntilRegistered(bool registered, const fs::path& data) {
    const fs::path script = data / "nautilus/scripts/Convert images into PDF";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        if (fs::exists(script) == registered) {
            return platform::RegKeyExists(platform::HKEY_CURRENT_USER, kUserInprocServer) ==
                   registered;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

TEST(RegistrationLauncher, NamesTheToolAndTheModuleBesideTheProgram) {
    const fs::path bin = shellext_testing::BuiltBinFolder();
    const std::string tool = bin / "folioforge-regsvr";
    const std::string module = bin / "libcommon.so";
    EXPECT_EQ(shellext::ExtensionRegistrationCommand(RegistrationAction::kRegister,
                                                     RegistrationScope::kCurrentUser, bin),
              (std::vector<std::string>{tool, "/s", "/n", "/i:user", "--", module}));
    EXPECT_EQ(shellext::ExtensionRegistrationCommand(RegistrationAction::kUnregister,
                                                     RegistrationScope::kMachine, bin),
              (std::vector<std::string>{tool, "/u", "/s", "--", module}));
}

TEST(RegistrationLauncher, NamesTheInstalledModuleForAProgramInBin) {
    testsupport::TempDir prefix;
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "lib/folioforge");
    testsupport::WriteFile(prefix / "lib/folioforge/libcommon.so", "module");
    const auto command = shellext::ExtensionRegistrationCommand(
        RegistrationAction::kRegister, RegistrationScope::kCurrentUser, prefix / "bin");
    ASSERT_FALSE(command.empty());
    EXPECT_EQ(command.front(), (prefix / "bin/folioforge-regsvr").string());
    EXPECT_EQ(command.back(), (prefix / "lib/folioforge/libcommon.so").string());
}

TEST(RegistrationLauncher, AsksForAdministratorRightsOnlyForASystemFolder) {
    const fs::path system = "/proc/sys";  // a folder nobody may write, not even root
    if (::access(system.c_str(), W_OK) == 0) {
        GTEST_SKIP() << system << " is writable here";
    }
    const auto command = shellext::ExtensionRegistrationCommand(
        RegistrationAction::kRegister, RegistrationScope::kMachine, system);
    ASSERT_FALSE(command.empty());
    EXPECT_EQ(command.front(), "pkexec");
    EXPECT_EQ(command.at(1), "/proc/sys/folioforge-regsvr");
    EXPECT_EQ(shellext::ExtensionRegistrationCommand(RegistrationAction::kRegister,
                                                     RegistrationScope::kCurrentUser, system)
                  .front(),
              "/proc/sys/folioforge-regsvr");
}

TEST(RegistrationLauncher, SwitchesTheEntryOnAndOffWithoutWaiting) {
    testsupport::ScopedSettingsHome home;
    testsupport::TempDir data;
    shellext_testing::ScopedEnvironment userData("XDG_DATA_HOME", data.path().string());
    const fs::path bin = shellext_testing::BuiltBinFolder();
    ASSERT_TRUE(shellext::StartExtensionRegistration(RegistrationAction::kRegister,
                                                     RegistrationScope::kCurrentUser, bin));
    EXPECT_TRUE(WaitUntilRegistered(true, data.path()));
    ASSERT_TRUE(shellext::StartExtensionRegistration(RegistrationAction::kUnregister,
                                                     RegistrationScope::kCurrentUser, bin));
    EXPECT_TRUE(WaitUntilRegistered(false, data.path()));
    EXPECT_FALSE(shellext::StartExtensionRegistration(
        RegistrationAction::kRegister, RegistrationScope::kCurrentUser, data.path()));
}

}  // namespace
