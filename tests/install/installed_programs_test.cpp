// The install tree: where everything lies, that the programs find their libraries and data
// there (and nothing of the build), and that they work from a folder outside the tree.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "installed_tree.h"
#include "sample_images.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using installtest::Lines;
using installtest::OutsideFolder;
using installtest::Prefix;
using installtest::RunIn;
using testsupport::Quoted;

std::set<std::string> NamesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

std::string RunPathOf(const fs::path& file) {
    const auto result = testsupport::RunTool("readelf -d " + Quoted(file));
    const size_t open = result.output.find("runpath: [");
    if (open == std::string::npos) {
        return {};
    }
    const size_t start = open + 10;
    return result.output.substr(start, result.output.find(']', start) - start);
}

TEST(InstalledTree, ProgramsLibrariesAndDataLieInTheirFolders) {
    EXPECT_EQ(NamesIn(Prefix() / "bin"),
              (std::set<std::string>{"folioforge", "folioforge-cli", "folioforge-regsvr"}));
    const fs::path lib = Prefix() / "lib/folioforge";
    std::set<std::string> libraries = {"folioforge", "folioforge-shellhost", "libbasalt.so",
                                       "libcommon.so", "libtrellis.so"};
    if (fs::exists(fs::path(BINARY_DIR) / "bin/libbasalt-web.so")) {
        libraries.insert("libbasalt-web.so");
    }
    EXPECT_EQ(NamesIn(lib), libraries);
    // The context-menu module starts the program from its own folder.
    EXPECT_TRUE(fs::is_symlink(lib / "folioforge"));
    EXPECT_TRUE(fs::equivalent(lib / "folioforge", Prefix() / "bin/folioforge"));
    for (const char* data : {"res/7.png", "res/logo.png", "res/folioforge.png",
                             "languages/english.lng", "languages/chinese.lng"}) {
        EXPECT_TRUE(fs::is_regular_file(Prefix() / "share/folioforge" / data)) << data;
    }
}

TEST(InstalledTree, ProgramsFindTheirLibrariesThroughTheRunPath) {
    for (const char* program : {"folioforge", "folioforge-cli", "folioforge-regsvr"}) {
        EXPECT_EQ(RunPathOf(Prefix() / "bin" / program), "$ORIGIN/../lib/folioforge") << program;
    }
    for (const char* module :
         {"libbasalt.so", "libtrellis.so", "libcommon.so", "folioforge-shellhost"}) {
        EXPECT_EQ(RunPathOf(Prefix() / "lib/folioforge" / module), "$ORIGIN") << module;
    }
    OutsideFolder work;
    const auto ldd = RunIn(work.path(), "ldd " + Quoted(Prefix() / "bin/folioforge"));
    ASSERT_EQ(ldd.status, 0) << ldd.output;
    for (const std::string& line : Lines(ldd.output)) {
        EXPECT_EQ(line.find("not found"), std::string::npos) << line;
        if (line.find("libbasalt") != std::string::npos ||
            line.find("libtrellis") != std::string::npos) {
            EXPECT_NE(line.find(installtest::Root().string()), std::string::npos) << line;
        }
    }
}

TEST(InstalledTree, NoFileNamesTheBuild) {
    const std::string source = SOURCE_DIR;
    const std::vector<std::string> buildPaths = {source, BINARY_DIR,
                                                 fs::path(source).parent_path().string() + "/"};
    const std::vector<fs::path> files = installtest::FilesUnder(installtest::Root());
    ASSERT_GT(files.size(), 30u);
    for (const fs::path& file : files) {
        const std::string bytes = testsupport::ReadFile(file);
        for (const std::string& path : buildPaths) {
            EXPECT_EQ(bytes.find(path), std::string::npos) << file << " names " << path;
        }
    }
}

TEST(InstalledPrograms, ConverterWorksFromAFolderOutsideTheTree) {
    OutsideFolder work;
    fs::create_directory(work / "photos");
    ASSERT_TRUE(testsupport::MakeImage(work / "photos/a.png", "-size 60x40 xc:red"));
    ASSERT_TRUE(testsupport::MakeImage(work / "photos/b.jpg", "-size 40x60 xc:blue"));
    const std::string cli = Quoted(Prefix() / "bin/folioforge-cli");

    const auto run = RunIn(work.path(), cli + " -q -o album.pdf photos");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(testsupport::PageCount(work / "album.pdf"), 2);
    EXPECT_EQ(testsupport::QpdfCheck(work / "album.pdf"), 0);

    const auto version = RunIn(work.path(), cli + " --version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, "folioforge-cli " PROJECT_VERSION_TEXT "\n");
}

// Settings for the desktop program: PDFs into out/, no network.
void WriteDesktopSettings(const OutsideFolder& work) {
    fs::create_directory(work / "home");
    testsupport::WriteFile(work / "home/HKEY_CURRENT_USER.reg",
                           "Windows Registry Editor Version 5.00\r\n\r\n"
                           "[HKEY_CURRENT_USER\\Software\\Velkor\\Folioforge]\r\n\"PDFPath\"=\"" +
                               (work / "out").string() + "\"\r\n\"CheckSkip\"=dword:00000001\r\n");
}

// Runs the installed "folioforge /make photos" offscreen under strace (the successful opens of
// the user-interface thread, which loads the artwork and the language files, into trace.txt)
// until a PDF appears in out/ or a minute has passed, then ends it.
testsupport::ToolResult RunMakeCommandLine(const OutsideFolder& work) {
    const std::string program = Quoted(Prefix() / "bin/folioforge");
    return RunIn(
        work.path(),
        "QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 "
        "FOLIOFORGE_SERVER=http://127.0.0.1:9 strace -qq -e trace=openat "
        "-e status=successful -o trace.txt " +
            program +
            " /make photos & tracer=$!; "
            "for i in $(seq 600); do ls out/*.pdf >/dev/null 2>&1 && break; sleep 0.1; done; "
            "sleep 0.2; kill $(cat /proc/$tracer/task/$tracer/children) 2>/dev/null; "
            "wait $tracer; ls out/*.pdf");
}

TEST(InstalledPrograms, DesktopProgramMakesAPdfOffscreenWithTheInstalledData) {
    if (testsupport::RunTool("strace -V").status != 0) {
        GTEST_SKIP() << "strace is not installed (scripts/setup)";
    }
    OutsideFolder work;
    WriteDesktopSettings(work);
    ASSERT_TRUE(fs::exists(work / "home/HKEY_CURRENT_USER.reg"));
    fs::create_directory(work / "photos");
    ASSERT_TRUE(testsupport::MakeImage(work / "photos/a.jpg", "-size 60x40 xc:green"));
    ASSERT_TRUE(testsupport::MakeImage(work / "photos/b.png", "-size 40x60 xc:yellow"));

    const auto run = RunMakeCommandLine(work);
    ASSERT_EQ(run.status, 0) << run.output;
    const fs::path pdf = work / "out/photos.pdf";
    ASSERT_TRUE(fs::exists(pdf)) << run.output;
    EXPECT_EQ(testsupport::PageCount(pdf), 2);
    EXPECT_EQ(testsupport::QpdfCheck(pdf), 0);

    // The artwork and the language files came from share/folioforge of the install tree.
    const std::string trace = testsupport::ReadFile(work / "trace.txt");
    EXPECT_NE(trace.find("/share/folioforge/res/7.png\""), std::string::npos);
    EXPECT_NE(trace.find("/share/folioforge/res/make.png\""), std::string::npos);
    EXPECT_NE(trace.find("/share/folioforge/languages/english.lng\""), std::string::npos);
    EXPECT_EQ(trace.find(BINARY_DIR), std::string::npos);
}

TEST(InstalledPrograms, PerUserMenuEntryRunsTheInstalledBridgeAndProgram) {
    OutsideFolder work;
    ASSERT_TRUE(testsupport::MakeImage(work / "a.jpg", "-size 20x20 xc:red"));
    const fs::path lib = Prefix() / "lib/folioforge";
    const std::string data = "XDG_DATA_HOME=" + Quoted(work / "data") + " ";
    const auto registered =
        RunIn(work.path(), data + Quoted(Prefix() / "bin/folioforge-regsvr") + " /s /n /i:user " +
                               Quoted(lib / "libcommon.so"));
    ASSERT_EQ(registered.status, 0) << registered.output;

    // The entry runs the bridge installed beside the module.
    const fs::path script = work / "data/nautilus/scripts/Convert images into PDF";
    ASSERT_TRUE(fs::exists(script));
    EXPECT_NE(testsupport::ReadFile(script).find(lib / "folioforge-shellhost"), std::string::npos);

    // The entry's command reaches the program with /make; a stand-in records its arguments.
    testsupport::WriteFile(work / "record.sh", "#!/bin/sh\nprintf '%s\\n' \"$@\" > args.txt\n");
    fs::permissions(work / "record.sh", fs::perms::owner_all);
    const auto ran = RunIn(work.path(), "FOLIOFORGE_SHELL_PROGRAM=" + Quoted(work / "record.sh") +
                                            " " + Quoted(script) + " " + Quoted(work / "a.jpg") +
                                            "; for i in $(seq 100); do [ -s args.txt ] && break; "
                                            "sleep 0.05; done");
    EXPECT_EQ(ran.status, 0) << ran.output;
    EXPECT_EQ(testsupport::ReadFile(work / "args.txt"),
              "/make\n" + (work / "a.jpg").string() + "\n");
}

}  // namespace
