#include <gtest/gtest.h>

#include "platform/registry.h"
#include "shell_tools.h"

namespace {

using platform::HKEY_CLASSES_ROOT;
using platform::HKEY_CURRENT_USER;
using shell_tools::RunIn;

constexpr wchar_t kInprocServer[] =
    L"CLSID\\{1C8BA08F-E4D2-4929-B7E3-DF4DAFF7A333}\\InprocServer32";

class RegsvrTest : public shell_tools::ShellToolsTest {};

TEST_F(RegsvrTest, ABadCommandLineShowsTheUsageUnlessSilent) {
    auto run = RunIn(dir_.path(), Regsvr(""));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("usage: folioforge-regsvr"), std::string::npos) << run.output;
    run = RunIn(dir_.path(), Regsvr("/s"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(RunIn(dir_.path(), Regsvr("/n " + Module())).status, 1);
    EXPECT_EQ(RunIn(dir_.path(), Regsvr("-x " + Module())).status, 1);
}

TEST_F(RegsvrTest, RefusesWhatIsNotAServerModule) {
    testsupport::WriteFile(dir_ / "text.so", "not a library");
    auto run = RunIn(dir_.path(), Regsvr("missing.so"));
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.output.find("could not load missing.so"), std::string::npos) << run.output;
    EXPECT_EQ(RunIn(dir_.path(), Regsvr("text.so")).status, 3);

    const std::string basalt =
        testsupport::Quoted(shellext_testing::BuiltBinFolder() / "libbasalt.so");
    run = RunIn(dir_.path(), Regsvr(basalt));
    EXPECT_EQ(run.status, 4);
    EXPECT_NE(run.output.find("entry point DllRegisterServer was not found"), std::string::npos)
        << run.output;
    run = RunIn(dir_.path(), Regsvr("/s " + basalt));
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.output, "");
    EXPECT_FALSE(std::filesystem::exists(platform::HiveFile(HKEY_CLASSES_ROOT)));
}

TEST_F(RegsvrTest, RegistersAndUnregistersAModuleGivenByARelativePath) {
    const auto bin = shellext_testing::BuiltBinFolder();
    auto run = RunIn(bin, Regsvr("libcommon.so"));
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(
        run.output.find("DllRegisterServer in " + (bin / "libcommon.so").string() + " succeeded"),
        std::string::npos)
        << run.output;
    EXPECT_EQ(platform::RegReadString(HKEY_CLASSES_ROOT, kInprocServer, L""),
              (bin / "libcommon.so").wstring());

    run = RunIn(bin, Regsvr("/u /s libcommon.so"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "");
    EXPECT_FALSE(platform::RegKeyExists(HKEY_CLASSES_ROOT, kInprocServer));
}

TEST_F(RegsvrTest, InstallForTheUserWithoutTheServerCall) {
    EXPECT_EQ(RunIn(dir_.path(), Regsvr("/s /n /i:user " + Module())).status, 0);
    EXPECT_TRUE(platform::RegKeyExists(HKEY_CURRENT_USER,
                                       std::wstring(L"Software\\Classes\\") + kInprocServer));
    EXPECT_FALSE(platform::RegKeyExists(HKEY_CLASSES_ROOT, kInprocServer));
    EXPECT_TRUE(std::filesystem::exists(dir_ / "data/nemo/actions/folioforge-pdf.nemo_action"));

    EXPECT_EQ(RunIn(dir_.path(), Regsvr("/u /s /n /i:user " + Module())).status, 0);
    EXPECT_FALSE(platform::RegKeyExists(HKEY_CURRENT_USER,
                                        std::wstring(L"Software\\Classes\\") + kInprocServer));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "data/nemo/actions/folioforge-pdf.nemo_action"));
}

TEST_F(RegsvrTest, AFailingRegistrationSaysWhyAndExitsWithFive) {
    std::filesystem::create_directories(platform::HiveFile(HKEY_CLASSES_ROOT));
    const auto run = RunIn(dir_.path(), Regsvr(Module()));
    EXPECT_EQ(run.status, 5);
    EXPECT_NE(run.output.find("failed with code 0x80040201 (class could not be registered)"),
              std::string::npos)
        << run.output;
}

}  // namespace
