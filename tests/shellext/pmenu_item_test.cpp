#include <gtest/gtest.h>

#include <cstring>

#include "com/menu.h"
#include "platform/text.h"
#include "shellext_testing.h"
#include "temp_dir.h"

namespace {

using shellext_testing::InitializeWith;
using shellext_testing::InvokeFirstCommand;
using shellext_testing::RecordingProgram;

class PMenuItemTest : public ::testing::Test {
protected:
    void SetUp() override {
        handler_ = module().CreateMenuHandler();
        ASSERT_NE(handler_, nullptr);
    }
    void TearDown() override {
        if (handler_) {
            handler_->Release();
        }
    }
    static const shellext_testing::ServerModule& module() {
        static const shellext_testing::ServerModule loaded(shellext_testing::BuiltModule());
        return loaded;
    }

    // Invokes the handler on paths and returns what the recording program received.
    std::vector<std::string> LaunchWith(const std::vector<std::wstring>& paths) {
        RecordingProgram program(dir_.path());
        EXPECT_EQ(InitializeWith(handler_, paths), com::S_OK);
        EXPECT_EQ(InvokeFirstCommand(handler_), com::S_OK);
        return program.Arguments().value_or(std::vector<std::string>{"(did not run)"});
    }

    testsupport::TempDir dir_;
    com::IContextMenu* handler_ = nullptr;
};

TEST_F(PMenuItemTest, AddsOneItemUnlessOnlyTheDefaultIsWanted) {
    const com::HMENU menu = com::CreatePopupMenu();
    EXPECT_EQ(handler_->QueryContextMenu(menu, 0, 40, 90, com::CMF_DEFAULTONLY), 0);
    EXPECT_EQ(com::GetMenuItemCount(menu), 0);

    com::MENUITEMINFOW other{};
    other.fMask = com::MIIM_ID;
    other.wID = 7;
    com::InsertMenuItemW(menu, 0, com::TRUE, &other);
    com::InsertMenuItemW(menu, 1, com::TRUE, &other);
    EXPECT_EQ(handler_->QueryContextMenu(menu, 1, 40, 90, com::CMF_NORMAL), 1);
    ASSERT_EQ(com::GetMenuItemCount(menu), 3);
    const com::MenuItem* item = com::GetMenuItem(menu, 1);
    EXPECT_EQ(item->id, 40u);
    EXPECT_EQ(item->type, com::MFT_STRING);
    EXPECT_EQ(item->text, L"Convert images into PDF");
    ASSERT_NE(item->bitmap, nullptr);
    EXPECT_EQ(item->bitmap->width, 16);
    EXPECT_EQ(item->bitmap->height, 16);
    com::DestroyMenu(menu);
}

TEST_F(PMenuItemTest, GetCommandStringAnswersHelpAndWideRequestsOnly) {
    wchar_t wide[64];
    EXPECT_EQ(handler_->GetCommandString(0, com::GCS_HELPTEXTW, nullptr,
                                         reinterpret_cast<char*>(wide), 64),
              com::S_OK);
    EXPECT_STREQ(wide, L"Context Menu Test Description");
    EXPECT_EQ(
        handler_->GetCommandString(0, com::GCS_VERBW, nullptr, reinterpret_cast<char*>(wide), 8),
        com::S_OK);
    EXPECT_STREQ(wide, L"Context");

    char narrow[64];
    EXPECT_EQ(handler_->GetCommandString(0, com::GCS_HELPTEXTA, nullptr, narrow, 64), com::S_OK);
    EXPECT_STREQ(narrow, "Context Menu Test Description");
    EXPECT_EQ(handler_->GetCommandString(0, com::GCS_VERBA, nullptr, narrow, 64),
              com::E_INVALIDARG);
    EXPECT_EQ(handler_->GetCommandString(0, com::GCS_VALIDATEA, nullptr, narrow, 64),
              com::E_INVALIDARG);
    EXPECT_EQ(handler_->GetCommandString(1, com::GCS_HELPTEXTW, nullptr, narrow, 64),
              com::E_INVALIDARG);
}

TEST_F(PMenuItemTest, InitializeRefusesAMissingOrEmptySelection) {
    com::ComPtr<com::IShellExtInit> init;
    ASSERT_EQ(handler_->QueryInterface(com::IID_IShellExtInit, init.putVoid()), com::S_OK);
    EXPECT_EQ(init->Initialize(nullptr, nullptr, nullptr), com::E_INVALIDARG);
    EXPECT_EQ(InitializeWith(handler_, {}), com::E_INVALIDARG);
}

TEST_F(PMenuItemTest, StartsTheProgramWithMakeAndEachPathInSelectionOrder) {
    EXPECT_EQ(
        LaunchWith({L"/photos/b.png", L"/photos/a.jpg", L"/photos/scans"}),
        (std::vector<std::string>{"/make", "/photos/b.png", "/photos/a.jpg", "/photos/scans"}));
}

TEST_F(PMenuItemTest, ASecondInitializeAddsToTheFirstSelection) {
    ASSERT_EQ(InitializeWith(handler_, {L"/one.jpg"}), com::S_OK);
    EXPECT_EQ(LaunchWith({L"/two.jpg", L"/three.jpg"}),
              (std::vector<std::string>{"/make", "/one.jpg", "/two.jpg", "/three.jpg"}));
}

TEST_F(PMenuItemTest, AwkwardNamesArriveAsOneIntactArgumentEach) {
    const std::vector<std::string> names = {
        "/photos/with space.jpg",
        "/photos/quote\" \"/make\" \"x.jpg",
        "/photos/new\nline.jpg",
        "-rf",
        "--help",
        "/photos/latin1-\xE9t\xE9.jpg",
        "/photos/$(touch pwned);`id`.jpg",
        "/" + std::string(3000, 'L') + ".jpg",
    };
    std::vector<std::wstring> paths;
    for (const std::string& name : names) {
        paths.push_back(platform::PathFromNative(name));
    }
    std::vector<std::string> expected = {"/make"};
    expected.insert(expected.end(), names.begin(), names.end());
    EXPECT_EQ(LaunchWith(paths), expected);
}

TEST_F(PMenuItemTest, FiveThousandFilesAllArrive) {
    std::vector<std::wstring> paths;
    std::vector<std::string> expected = {"/make"};
    for (int i = 0; i < 5000; ++i) {
        expected.push_back("/photos/image " + std::to_string(i) + ".jpg");
        paths.push_back(platform::PathFromNative(expected.back()));
    }
    EXPECT_EQ(LaunchWith(paths), expected);
}

TEST_F(PMenuItemTest, RefusesVerbStringsAndOtherCommands) {
    ASSERT_EQ(InitializeWith(handler_, {L"/a.jpg"}), com::S_OK);
    com::CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.lpVerb = "open";
    EXPECT_EQ(handler_->InvokeCommand(&info), com::E_INVALIDARG);
    info.lpVerb = com::MakeIntResourceA(1);
    EXPECT_EQ(handler_->InvokeCommand(&info), com::E_INVALIDARG);
}

TEST_F(PMenuItemTest, AMissingProgramIsReportedAsFileNotFound) {
    shellext_testing::ScopedEnvironment missing("FOLIOFORGE_SHELL_PROGRAM",
                                                (dir_.path() / "no-such-program").string());
    ASSERT_EQ(InitializeWith(handler_, {L"/a.jpg"}), com::S_OK);
    EXPECT_EQ(InvokeFirstCommand(handler_), com::HResultFromWin32(2));
}

TEST(PMenuItemModule, StartsTheFolioforgeBesideTheModule) {
    testsupport::TempDir dir;
    std::filesystem::copy_file(shellext_testing::BuiltModule(), dir / "libcommon.so");
    std::filesystem::copy_file(shellext_testing::RecordingProgramFile(), dir / "folioforge");
    const shellext_testing::ServerModule module(dir / "libcommon.so");
    RecordingProgram program(dir.path(), false);
    com::IContextMenu* handler = module.CreateMenuHandler();
    ASSERT_NE(handler, nullptr);
    ASSERT_EQ(InitializeWith(handler, {L"/x.jpg"}), com::S_OK);
    EXPECT_EQ(InvokeFirstCommand(handler), com::S_OK);
    EXPECT_EQ(program.Arguments(), (std::vector<std::string>{"/make", "/x.jpg"}));
    handler->Release();
}

TEST(PMenuItemModule, ServesOnlyItsClassAndCountsWhatKeepsItLoaded) {
    testsupport::TempDir dir;
    std::filesystem::copy_file(shellext_testing::BuiltModule(), dir / "libcommon.so");
    const shellext_testing::ServerModule module(dir / "libcommon.so");
    void* object = reinterpret_cast<void*>(1);
    const com::CLSID other = {0x12345678, 0, 0, {}};
    EXPECT_EQ(module.getClassObject(other, com::IID_IClassFactory, &object),
              com::CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(module.canUnloadNow(), com::S_OK);

    com::IContextMenu* handler = module.CreateMenuHandler();
    EXPECT_EQ(module.canUnloadNow(), com::S_FALSE);
    void* aggregated = nullptr;
    com::ComPtr<com::IClassFactory> factory;
    const com::CLSID ours = *com::GuidFromString(L"{1C8BA08F-E4D2-4929-B7E3-DF4DAFF7A333}");
    ASSERT_EQ(module.getClassObject(ours, com::IID_IClassFactory, factory.putVoid()), com::S_OK);
    EXPECT_EQ(factory->CreateInstance(handler, com::IID_IUnknown, &aggregated),
              com::CLASS_E_NOAGGREGATION);
    factory.reset();
    handler->Release();
    EXPECT_EQ(module.canUnloadNow(), com::S_OK);
}

}  // namespace
