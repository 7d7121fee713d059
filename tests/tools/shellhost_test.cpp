#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "platform/registry.h"
#include "sample_images.h"
#include "shell_tools.h"

namespace {

namespace fs = std::filesystem;
using shell_tools::RunIn;
using testsupport::Quoted;

constexpr wchar_t kInprocServer[] =
    L"CLSID\\{1C8BA08F-E4D2-4929-B7E3-DF4DAFF7A333}\\InprocServer32";

class ShellhostTest : public shell_tools::ShellToolsTest {
protected:
    void SetUp() override {
        fs::create_directories(dir_ / "photos/folder");
        ASSERT_TRUE(testsupport::MakeImage(dir_ / "photos/a.jpg", "-size 64x48 xc:red"));
        ASSERT_TRUE(testsupport::MakeImage(dir_ / "photos/b.png", "-size 48x64 xc:blue"));
        ASSERT_TRUE(testsupport::MakeImage(dir_ / "photos/folder/c.jpg", "-size 32x32 xc:green"));
    }
    fs::path Photos() const { return dir_ / "photos"; }
};

TEST_F(ShellhostTest, RunsTheRegisteredHandlerOnTheSelection) {
    ASSERT_EQ(RunIn(dir_.path(), Regsvr("/s " + Module())).status, 0);
    shellext_testing::RecordingProgram program(dir_.path());
    const auto run = RunIn(Photos(), Shellhost("a.jpg b.png folder/"));
    EXPECT_EQ(run.status, 0) << run.output;
    const std::string photos = Photos().string();
    EXPECT_EQ(program.Arguments(),
              (std::vector<std::string>{"/make", photos + "/a.jpg", photos + "/b.png",
                                        photos + "/folder"}));
}

TEST_F(ShellhostTest, FindsAHandlerRegisteredForTheUserAlone) {
    ASSERT_EQ(RunIn(dir_.path(), Regsvr("/s /n /i:user " + Module())).status, 0);
    shellext_testing::RecordingProgram program(dir_.path());
    EXPECT_EQ(RunIn(Photos(), Shellhost("-- --help")).status, 0);
    EXPECT_EQ(program.Arguments(),
              (std::vector<std::string>{"/make", Photos().string() + "/--help"}));
}

TEST_F(ShellhostTest, SaysWhyNothingRan) {
    EXPECT_EQ(RunIn(Photos(), Shellhost("")).status, 1);
    auto run = RunIn(Photos(), Shellhost("a.jpg"));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("no context-menu handler is registered"), std::string::npos);

    ASSERT_EQ(RunIn(dir_.path(), Regsvr("/s " + Module())).status, 0);
    platform::RegWriteString(platform::HKEY_CLASSES_ROOT, kInprocServer, L"",
                             (dir_ / "gone.so").wstring());
    EXPECT_EQ(RunIn(Photos(), Shellhost("a.jpg")).status, 3);

    platform::RegWriteString(platform::HKEY_CLASSES_ROOT, kInprocServer, L"",
                             (shellext_testing::BuiltBinFolder() / "libbasalt.so").wstring());
    run = RunIn(Photos(), Shellhost("a.jpg"));
    EXPECT_EQ(run.status, 4);
    EXPECT_NE(run.output.find("no entry point DllGetClassObject"), std::string::npos) << run.output;
}

TEST_F(ShellhostTest, AMissingProgramIsReported) {
    ASSERT_EQ(RunIn(dir_.path(), Regsvr("/s " + Module())).status, 0);
    shellext_testing::ScopedEnvironment missing("FOLIOFORGE_SHELL_PROGRAM",
                                                (dir_ / "no-folioforge").string());
    const auto run = RunIn(Photos(), Shellhost("a.jpg"));
    EXPECT_EQ(run.status, 5);
    EXPECT_NE(run.output.find("InvokeCommand failed with code 0x80070002 (file not found)"),
              std::string::npos)
        << run.output;
}

// Waits until folder holds a PDF file; empty when none appears within patience.
fs::path WaitForPdf(const fs::path& folder, std::chrono::seconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (std::chrono::steady_clock::now() < deadline) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            if (entry.path().extension() == ".pdf") {
                return entry.path();
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return {};
}

TEST_F(ShellhostTest, TheProgramConvertsTheSelectionIntoOnePdf) {
    const fs::path program = shellext_testing::BuiltBinFolder() / "folioforge";
    if (!fs::exists(program)) {
        GTEST_SKIP() << "no folioforge program in this build";
    }
    const fs::path output = dir_ / "output";
    fs::create_directories(output);
    platform::RegWriteString(platform::HKEY_CURRENT_USER, L"Software\\Velkor\\Folioforge",
                             L"PDFPath", output.wstring());
    // A wrapper notes the program's process id so the test can close it afterwards.
    const fs::path wrapper = dir_ / "folioforge-wrapper";
    testsupport::WriteFile(wrapper, "#!/bin/sh\necho $$ > " + Quoted(dir_ / "pid") + "\nexec " +
                                        Quoted(program) + " \"$@\"\n");
    fs::permissions(wrapper, fs::perms::owner_all);
    shellext_testing::ScopedEnvironment wrapped("FOLIOFORGE_SHELL_PROGRAM", wrapper.string());
    shellext_testing::ScopedEnvironment offscreen("QT_QPA_PLATFORM", "offscreen");

    ASSERT_EQ(RunIn(dir_.path(), Regsvr("/s " + Module())).status, 0);
    const auto run = RunIn(Photos(), Shellhost("a.jpg b.png folder/ >/dev/null 2>&1"));
    EXPECT_EQ(run.status, 0);
    const fs::path pdf = WaitForPdf(output, std::chrono::seconds(60));
    const std::string pid = testsupport::ReadFile(dir_ / "pid");
    if (!pid.empty()) {
        ::kill(std::stoi(pid), SIGTERM);
    }
    ASSERT_FALSE(pdf.empty()) << "no PDF in " << output;
    std::this_thread::sleep_for(std::chrono::seconds(1));  // the file appears whole, by rename
    EXPECT_EQ(testsupport::QpdfCheck(pdf), 0);
    EXPECT_EQ(testsupport::PageCount(pdf), 3);
}

}  // namespace
