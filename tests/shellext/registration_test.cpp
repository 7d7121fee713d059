#include <gtest/gtest.h>

#include "platform/registry.h"
#include "shellext_testing.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using platform::HKEY_CLASSES_ROOT;
using platform::HKEY_CURRENT_USER;
using platform::RegEnumSubKeys;
using platform::RegKeyExists;
using platform::RegReadString;

constexpr wchar_t kClassId[] = L"{1C8BA08F-E4D2-4929-B7E3-DF4DAFF7A333}";
constexpr wchar_t kClassKey[] = L"CLSID\\{1C8BA08F-E4D2-4929-B7E3-DF4DAFF7A333}";
constexpr wchar_t kAppIdKey[] = L"AppID\\{AFD2173B-F77A-49AC-9989-ED90008DD502}";
constexpr wchar_t kTypeLibKey[] = L"TypeLib\\{DF266926-76E9-45F6-B152-9DD50D84D3BF}";

class RegistrationTest : public ::testing::Test {
protected:
    RegistrationTest()
        : userData_("XDG_DATA_HOME", (data_ / "user").string()),
          systemData_("XDG_DATA_DIRS", (data_ / "system").string() + ":/usr/share") {}

    static const shellext_testing::ServerModule& module() {
        static const shellext_testing::ServerModule loaded(shellext_testing::BuiltModule());
        return loaded;
    }
    static std::wstring ModulePath() { return shellext_testing::BuiltModule().wstring(); }

    // The script entries, below prefix in root.
    void ExpectClassEntries(platform::HKEY root, const std::wstring& prefix) {
        const auto read = [&](const std::wstring& key, const wchar_t* name = L"") {
            return RegReadString(root, prefix + key, name).value_or(L"(missing)");
        };
        const std::wstring classKey = kClassKey;
        EXPECT_EQ(read(kAppIdKey), L"Common");
        EXPECT_EQ(read(L"AppID\\Common.DLL", L"AppID"), L"{AFD2173B-F77A-49AC-9989-ED90008DD502}");
        EXPECT_EQ(read(L"Common.PMenuItem.1"), L"PMenuItem Class");
        EXPECT_EQ(read(L"Common.PMenuItem.1\\CLSID"), kClassId);
        EXPECT_EQ(read(L"Common.PMenuItem"), L"PMenuItem Class");
        EXPECT_EQ(read(L"Common.PMenuItem\\CLSID"), kClassId);
        EXPECT_EQ(read(L"Common.PMenuItem\\CurVer"), L"Common.PMenuItem.1");
        EXPECT_EQ(read(classKey), L"PMenuItem Class");
        EXPECT_EQ(read(classKey + L"\\ProgID"), L"Common.PMenuItem.1");
        EXPECT_EQ(read(classKey + L"\\VersionIndependentProgID"), L"Common.PMenuItem");
        EXPECT_TRUE(RegKeyExists(root, prefix + classKey + L"\\Programmable"));
        EXPECT_EQ(read(classKey + L"\\InprocServer32"), ModulePath());
        EXPECT_EQ(read(classKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
        EXPECT_EQ(read(classKey + L"\\TypeLib"), L"{DF266926-76E9-45F6-B152-9DD50D84D3BF}");
        EXPECT_EQ(read(L"*\\ShellEx\\ContextMenuHandlers\\MenuItem"), kClassId);
        EXPECT_EQ(read(std::wstring(kTypeLibKey) + L"\\1.0"), L"CommonLib");
        EXPECT_EQ(read(std::wstring(kTypeLibKey) + L"\\1.0\\0\\win64"), ModulePath());
    }

    void ExpectHandlerKeys() {
        for (const wchar_t* type : {L"*", L"Directory"}) {
            const auto handler = RegReadString(
                HKEY_CLASSES_ROOT,
                std::wstring(type) + L"\\shellex\\ContextMenuHandlers\\Folioforge", L"");
            EXPECT_EQ(handler.value_or(L"(missing)"), kClassId) << type;
        }
    }

    // Nothing of the server is left below prefix in root; the shared keys stay.
    void ExpectOnlySharedKeys(platform::HKEY root, const std::wstring& prefix) {
        for (const wchar_t* shared :
             {L"CLSID", L"AppID", L"TypeLib", L"*\\ShellEx\\ContextMenuHandlers"}) {
            EXPECT_TRUE(RegKeyExists(root, prefix + shared)) << shared;
            EXPECT_TRUE(RegEnumSubKeys(root, prefix + shared).empty()) << shared;
        }
        for (const wchar_t* gone : {L"Common.PMenuItem", L"Common.PMenuItem.1"}) {
            EXPECT_FALSE(RegKeyExists(root, prefix + gone)) << gone;
        }
    }

    testsupport::ScopedSettingsHome home_;
    testsupport::TempDir data_;
    shellext_testing::ScopedEnvironment userData_;
    shellext_testing::ScopedEnvironment systemData_;
};

TEST_F(RegistrationTest, RegisterServerWritesEveryEntryToTheClassesRoot) {
    ASSERT_EQ(module().registerServer(), com::S_OK);
    ExpectHandlerKeys();
    ExpectClassEntries(HKEY_CLASSES_ROOT, L"");
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, L"Software\\Classes"));
}

TEST_F(RegistrationTest, InstallForUserPutsTheScriptsInTheUsersClasses) {
    ASSERT_EQ(module().install(com::TRUE, L"USER"), com::S_OK);
    ExpectHandlerKeys();
    ExpectClassEntries(HKEY_CURRENT_USER, L"Software\\Classes\\");
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, kClassKey));

    ASSERT_EQ(module().install(com::FALSE, L"user"), com::S_OK);
    ExpectOnlySharedKeys(HKEY_CURRENT_USER, L"Software\\Classes\\");
}

TEST_F(RegistrationTest, OtherInstallTextsRegisterMachineWide) {
    for (const wchar_t* text : {static_cast<const wchar_t*>(nullptr), L"users", L"use", L""}) {
        ASSERT_EQ(module().install(com::TRUE, text), com::S_OK);
        EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, kClassKey));
        EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, L"Software\\Classes\\CLSID"));
        ASSERT_EQ(module().install(com::FALSE, text), com::S_OK);
        EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, kClassKey));
    }
}

TEST_F(RegistrationTest, UnregisterRemovesOnlyWhatRegistrationOwns) {
    platform::RegWriteString(HKEY_CLASSES_ROOT, L"CLSID\\{00000000-1111-2222-3333-444444444444}",
                             L"", L"Another class");
    platform::RegWriteString(HKEY_CLASSES_ROOT, L"*\\shellex\\ContextMenuHandlers\\Other", L"",
                             L"{00000000-1111-2222-3333-444444444444}");
    ASSERT_EQ(module().registerServer(), com::S_OK);
    ASSERT_EQ(module().unregisterServer(), com::S_OK);

    EXPECT_EQ(RegEnumSubKeys(HKEY_CLASSES_ROOT, L"CLSID"),
              std::vector<std::wstring>{L"{00000000-1111-2222-3333-444444444444}"});
    EXPECT_EQ(RegEnumSubKeys(HKEY_CLASSES_ROOT, L"*\\shellex\\ContextMenuHandlers"),
              std::vector<std::wstring>{L"Other"});
    EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, L"Directory\\shellex\\ContextMenuHandlers"));
    EXPECT_TRUE(
        RegEnumSubKeys(HKEY_CLASSES_ROOT, L"Directory\\shellex\\ContextMenuHandlers").empty());
    EXPECT_TRUE(RegEnumSubKeys(HKEY_CLASSES_ROOT, L"AppID").empty());
    EXPECT_TRUE(RegEnumSubKeys(HKEY_CLASSES_ROOT, L"TypeLib").empty());
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, L"Common.PMenuItem"));
}

TEST_F(RegistrationTest, RegisteringTwiceLeavesOneSet) {
    ASSERT_EQ(module().registerServer(), com::S_OK);
    platform::RegWriteString(HKEY_CLASSES_ROOT, std::wstring(kClassKey) + L"\\Stale", L"", L"x");
    platform::RegWriteString(HKEY_CLASSES_ROOT,
                             L"Directory\\shellex\\ContextMenuHandlers\\Folioforge", L"",
                             L"{00000000-0000-0000-0000-000000000000}");
    ASSERT_EQ(module().registerServer(), com::S_OK);
    const std::string once = testsupport::ReadFile(platform::HiveFile(HKEY_CLASSES_ROOT));
    ASSERT_EQ(module().registerServer(), com::S_OK);
    EXPECT_EQ(testsupport::ReadFile(platform::HiveFile(HKEY_CLASSES_ROOT)), once);
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, std::wstring(kClassKey) + L"\\Stale"));
    ExpectHandlerKeys();
}

TEST_F(RegistrationTest, UnregisteringWhatWasNeverRegisteredSucceeds) {
    EXPECT_EQ(module().unregisterServer(), com::S_OK);
    EXPECT_EQ(module().install(com::FALSE, L"user"), com::S_OK);
}

TEST_F(RegistrationTest, ADamagedHiveIsSetAsideAndReplaced) {
    testsupport::WriteFile(platform::HiveFile(HKEY_CLASSES_ROOT),
                           "Windows Registry Editor Version 5.00\n\n[HKEY_CLASSES_ROOT\\Kept]\n"
                           "\"broken=\n\x01\x02garbage");
    ASSERT_EQ(module().registerServer(), com::S_OK);
    ExpectClassEntries(HKEY_CLASSES_ROOT, L"");
    EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, L"Kept"));
    EXPECT_TRUE(fs::exists(fs::path(platform::HiveFile(HKEY_CLASSES_ROOT)) += ".corrupt-1"));
}

TEST_F(RegistrationTest, AFailedRegistrationLeavesNothingBehind) {
    // The user's hive cannot be written: its file name is taken by a folder.
    fs::create_directories(platform::HiveFile(HKEY_CURRENT_USER));
    EXPECT_EQ(module().install(com::TRUE, L"user"), com::SELFREG_E_CLASS);
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, L"*\\shellex\\ContextMenuHandlers\\Folioforge"));
    EXPECT_FALSE(
        RegKeyExists(HKEY_CLASSES_ROOT, L"Directory\\shellex\\ContextMenuHandlers\\Folioforge"));
    EXPECT_FALSE(fs::exists(data_ / "user"));
}

TEST_F(RegistrationTest, PerUserRegistrationFailsWithoutItsHandlerKeys) {
    fs::create_directories(platform::HiveFile(HKEY_CLASSES_ROOT));
    EXPECT_EQ(module().install(com::TRUE, L"user"), com::SELFREG_E_CLASS);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, L"Software\\Classes\\CLSID"));
    EXPECT_FALSE(fs::exists(data_ / "user"));
}

TEST_F(RegistrationTest, AModuleWhosePathTheStoreCannotKeepIsNotRegistered) {
    const fs::path folder = data_ / "latin1-\xE9t\xE9";
    fs::create_directories(folder);
    fs::copy_file(shellext_testing::BuiltModule(), folder / "libcommon.so");
    const shellext_testing::ServerModule copy(folder / "libcommon.so");
    EXPECT_EQ(copy.registerServer(), com::SELFREG_E_CLASS);
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, kClassKey));
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, L"*\\shellex\\ContextMenuHandlers\\Folioforge"));
}

}  // namespace
