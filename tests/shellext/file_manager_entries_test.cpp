#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/registry.h"
#include "shellext_testing.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr char kMarker[] =
    "# Folioforge context-menu entry: written on registration, removed on unregistration.";

class FileManagerEntriesTest : public ::testing::Test {
protected:
    FileManagerEntriesTest()
        : userData_("XDG_DATA_HOME", user().string()),
          systemData_("XDG_DATA_DIRS", system().string()) {}

    static const shellext_testing::ServerModule& module() {
        static const shellext_testing::ServerModule loaded(shellext_testing::BuiltModule());
        return loaded;
    }
    fs::path user() const { return data_ / "user"; }
    fs::path system() const { return data_ / "system"; }
    fs::path NautilusScript() const { return user() / "nautilus/scripts/Convert images into PDF"; }
    static fs::path ServiceMenu(const fs::path& data) {
        return data / "kio/servicemenus/folioforge-pdf.desktop";
    }
    static fs::path NemoAction(const fs::path& data) {
        return data / "nemo/actions/folioforge-pdf.nemo_action";
    }

    testsupport::ScopedSettingsHome home_;
    testsupport::TempDir data_;
    shellext_testing::ScopedEnvironment userData_;
    shellext_testing::ScopedEnvironment systemData_;
};

bool IsExecutable(const fs::path& file) {
    return ::access(file.c_str(), X_OK) == 0;
}

int Shell(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str());
}

TEST_F(FileManagerEntriesTest, PerUserRegistrationWritesAllThreeEntries) {
    ASSERT_EQ(module().install(com::TRUE, L"user"), com::S_OK);
    const std::string shellhost = shellext_testing::BuiltBinFolder() / "folioforge-shellhost";

    const std::string script = testsupport::ReadFile(NautilusScript());
    EXPECT_TRUE(script.starts_with("#!/bin/sh\n")) << script;
    EXPECT_NE(script.find(kMarker), std::string::npos);
    EXPECT_NE(script.find("'" + shellhost + "' -- \"$@\""), std::string::npos) << script;
    EXPECT_TRUE(IsExecutable(NautilusScript()));
    EXPECT_EQ(Shell("sh -n '" + NautilusScript().string() + "'"), 0);

    const std::string menu = testsupport::ReadFile(ServiceMenu(user()));
    EXPECT_NE(menu.find("Name=Convert images into PDF\n"), std::string::npos) << menu;
    EXPECT_NE(menu.find("Exec=\"" + shellhost + "\" -- %F\n"), std::string::npos) << menu;
    EXPECT_TRUE(IsExecutable(ServiceMenu(user())));  // Dolphin runs only executable menus
    if (Shell("command -v desktop-file-validate") == 0) {
        EXPECT_EQ(Shell("desktop-file-validate '" + ServiceMenu(user()).string() + "'"), 0);
    }

    const std::string action = testsupport::ReadFile(NemoAction(user()));
    EXPECT_TRUE(action.starts_with("[Nemo Action]\n"));
    EXPECT_NE(action.find("Exec='" + shellhost + "' -- %F\n"), std::string::npos) << action;
    EXPECT_NE(action.find("Selection=notnone\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(system()));
}

TEST_F(FileManagerEntriesTest, MachineRegistrationUsesTheSystemDataFolder) {
    ASSERT_EQ(module().registerServer(), com::S_OK);
    EXPECT_TRUE(fs::exists(ServiceMenu(system())));
    EXPECT_TRUE(fs::exists(NemoAction(system())));
    EXPECT_FALSE(fs::exists(user()));
    ASSERT_EQ(module().unregisterServer(), com::S_OK);
    EXPECT_FALSE(fs::exists(ServiceMenu(system())));
    EXPECT_FALSE(fs::exists(NemoAction(system())));
}

TEST_F(FileManagerEntriesTest, UnregistrationRemovesOurEntriesAndNothingElse) {
    fs::create_directories(user() / "nautilus/scripts");
    testsupport::WriteFile(user() / "nautilus/scripts/Resize", "#!/bin/sh\n");
    testsupport::WriteFile(user() / "nautilus/scripts/Old caption",
                           "#!/bin/sh\n" + std::string(kMarker) + "\n");
    ASSERT_EQ(module().install(com::TRUE, L"user"), com::S_OK);
    EXPECT_FALSE(fs::exists(user() / "nautilus/scripts/Old caption"));  // one entry per module
    ASSERT_EQ(module().install(com::FALSE, L"user"), com::S_OK);

    EXPECT_FALSE(fs::exists(NautilusScript()));
    EXPECT_FALSE(fs::exists(ServiceMenu(user())));
    EXPECT_FALSE(fs::exists(NemoAction(user())));
    EXPECT_EQ(testsupport::ReadFile(user() / "nautilus/scripts/Resize"), "#!/bin/sh\n");
}

TEST_F(FileManagerEntriesTest, AFileOfTheSameNameThatIsNotOursStopsRegistration) {
    fs::create_directories(ServiceMenu(user()).parent_path());
    testsupport::WriteFile(ServiceMenu(user()), "[Desktop Entry]\nName=Mine\n");
    EXPECT_EQ(module().install(com::TRUE, L"user"), com::HResultFromWin32(80));
    EXPECT_EQ(testsupport::ReadFile(ServiceMenu(user())), "[Desktop Entry]\nName=Mine\n");
    EXPECT_FALSE(fs::exists(NemoAction(user())));
    EXPECT_FALSE(platform::RegKeyExists(platform::HKEY_CLASSES_ROOT,
                                        L"*\\shellex\\ContextMenuHandlers\\Folioforge"));
}

TEST_F(FileManagerEntriesTest, TheScriptPassesAwkwardNamesFromAnAwkwardFolder) {
    const fs::path folder = data_ / "it's \"odd\" $HOME `x` \\ 100%";
    fs::create_directories(folder);
    fs::copy_file(shellext_testing::BuiltModule(), folder / "libcommon.so");
    fs::copy_file(shellext_testing::RecordingProgramFile(), folder / "folioforge-shellhost");
    const shellext_testing::ServerModule copy(folder / "libcommon.so");
    ASSERT_EQ(copy.install(com::TRUE, L"user"), com::S_OK);
    if (Shell("command -v desktop-file-validate") == 0) {
        EXPECT_EQ(Shell("desktop-file-validate '" + ServiceMenu(user()).string() + "'"), 0);
    }

    // Nautilus runs the script with the selected names as its arguments.
    const fs::path record = data_ / "recorded";
    shellext_testing::ScopedEnvironment target("FOLIOFORGE_RECORD_FILE", record.string());
    ASSERT_EQ(
        Shell("'" + (user() / "nautilus/scripts/").string() + "'*  '-rf' 'a b.jpg' '\"q\".png'"),
        0);
    EXPECT_EQ(testsupport::ReadFile(record), std::string("--\0-rf\0a b.jpg\0\"q\".png\0", 23));
    ASSERT_EQ(copy.install(com::FALSE, L"user"), com::S_OK);
}

}  // namespace
