// The Debian package that CPack makes from the build: its control data, its file list, its
// contents unpacked into a scratch root, and lintian's verdict.

#include <gtest/gtest.h>

#include <algorithm>

#include "installed_tree.h"

namespace {

namespace fs = std::filesystem;
using installtest::Lines;
using installtest::OutsideFolder;
using testsupport::Quoted;
using testsupport::RunTool;

class PackageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        work_ = new OutsideFolder;
        const auto packed = RunTool(
            "cpack -G DEB --config " + Quoted(CPACK_CONFIG) + " -B " + Quoted(work_->path()), true);
        ASSERT_EQ(packed.status, 0) << packed.output;
        for (const auto& entry : fs::directory_iterator(work_->path())) {
            if (entry.path().extension() == ".deb") {
                deb_ = entry.path();
            }
        }
    }
    static void TearDownTestSuite() {
        delete work_;
        work_ = nullptr;
    }
    void SetUp() override { ASSERT_FALSE(deb_.empty()) << "cpack made no package"; }

    static std::string Field(const std::string& name) {
        const auto value = RunTool("dpkg-deb -f " + Quoted(deb_) + " " + name);
        return value.output.substr(0, value.output.find_last_not_of('\n') + 1);
    }

    static inline OutsideFolder* work_ = nullptr;
    static inline fs::path deb_;
};

TEST_F(PackageTest, IsNamedAfterTheVersionAndComputesItsDependencies) {
    const std::string architecture = RunTool("dpkg --print-architecture").output;
    EXPECT_EQ(deb_.filename().string(), "folioforge_" PROJECT_VERSION_TEXT "_" +
                                            architecture.substr(0, architecture.find('\n')) +
                                            ".deb");
    EXPECT_EQ(Field("Package"), "folioforge");
    EXPECT_EQ(Field("Version"), PROJECT_VERSION_TEXT);
    const std::string depends = Field("Depends");
    for (const char* library : {"libc6 (", "libqt6widgets6 (", "libcurl4 (", "libjpeg62-turbo ("}) {
        EXPECT_NE(depends.find(library), std::string::npos) << library << " in " << depends;
    }
}

TEST_F(PackageTest, HoldsTheInstallTreeUnderUsrAndNothingElse) {
    const auto listing = RunTool("dpkg-deb -c " + Quoted(deb_));
    ASSERT_EQ(listing.status, 0);
    std::vector<std::string> paths;
    for (const std::string& line : Lines(listing.output)) {
        const size_t at = line.find(" ./");
        ASSERT_NE(at, std::string::npos) << line;
        const size_t start = at + 1;
        paths.push_back(line.substr(start, line.find(" -> ") - start));
    }
    for (const std::string& path : paths) {
        EXPECT_TRUE(path == "./" || path.starts_with("./usr/")) << path;
    }
    for (const char* expected :
         {"./usr/bin/folioforge", "./usr/bin/folioforge-cli", "./usr/lib/folioforge/libbasalt.so",
          "./usr/lib/folioforge/libcommon.so", "./usr/share/folioforge/res/7.png",
          "./usr/share/folioforge/languages/english.lng", "./usr/share/doc/folioforge/copyright",
          "./usr/share/applications/folioforge.desktop",
          "./usr/share/icons/hicolor/256x256/apps/folioforge.png",
          "./usr/share/man/man1/folioforge-cli.1.gz",
          "./usr/share/kio/servicemenus/folioforge-pdf.desktop"}) {
        EXPECT_NE(std::find(paths.begin(), paths.end(), expected), paths.end()) << expected;
    }
}

TEST_F(PackageTest, UnpackedProgramsRun) {
    OutsideFolder scratch;
    ASSERT_EQ(RunTool("dpkg -x " + Quoted(deb_) + " " + Quoted(scratch.path())).status, 0);
    const auto version = installtest::RunIn(
        scratch.path(), Quoted(scratch / "usr/bin/folioforge-cli") + " --version");
    EXPECT_EQ(version.output, "folioforge-cli " PROJECT_VERSION_TEXT "\n");
}

TEST_F(PackageTest, LintianFindsNoErrors) {
    if (RunTool("lintian --version").status != 0) {
        GTEST_SKIP() << "lintian is not installed (scripts/setup)";
    }
    const auto verdict = RunTool("lintian --fail-on error " + Quoted(deb_), true);
    EXPECT_EQ(verdict.status, 0) << verdict.output;
}

}  // namespace
