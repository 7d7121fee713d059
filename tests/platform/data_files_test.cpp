#include "platform/data_files.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

// A prefix with bin/, lib/folioforge/ and share/folioforge/res/7.png.
class DataFilesTest : public ::testing::Test {
protected:
    DataFilesTest() {
        fs::create_directories(bin());
        fs::create_directories(lib());
        fs::create_directories(dir_ / "share/folioforge/res");
        testsupport::WriteFile(dir_ / "share/folioforge/res/7.png", "png");
    }
    fs::path bin() const { return dir_ / "bin"; }
    fs::path lib() const { return dir_ / "lib/folioforge"; }
    static bool Same(const fs::path& a, const fs::path& b) { return fs::equivalent(a, b); }

    testsupport::TempDir dir_;
};

TEST_F(DataFilesTest, InstalledProgramsAndLibrariesFindTheSharedData) {
    EXPECT_TRUE(
        Same(platform::FindDataFile(bin(), "res/7.png"), dir_ / "share/folioforge/res/7.png"));
    EXPECT_TRUE(Same(platform::FindDataFile(lib(), "res"), dir_ / "share/folioforge/res"));
}

TEST_F(DataFilesTest, AFileBesideTheModuleWins) {
    fs::create_directories(bin() / "res");
    testsupport::WriteFile(bin() / "res/7.png", "build tree");
    EXPECT_EQ(platform::FindDataFile(bin(), "res/7.png"), bin() / "res/7.png");
}

TEST_F(DataFilesTest, AMissingFileIsNamedBesideTheModule) {
    EXPECT_EQ(platform::FindDataFile(bin(), "res/none.png"), bin() / "res/none.png");
    EXPECT_EQ(platform::FindDataFile(dir_ / "elsewhere", "languages"),
              dir_ / "elsewhere/languages");
}

TEST_F(DataFilesTest, UpwardStepsFollowALinkedFolderTheWayTheSystemDoes) {
    // A program folder reached through a link elsewhere: "bin/.." is the link's target's parent.
    testsupport::TempDir other;
    fs::create_directory_symlink(bin(), other / "bin");
    EXPECT_TRUE(Same(platform::FindDataFile(other / "bin", "res/7.png"),
                     dir_ / "share/folioforge/res/7.png"));
}

}  // namespace
