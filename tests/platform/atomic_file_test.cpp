#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/input_file.h"
#include "platform/path_names.h"
#include "platform/text.h"
#include "temp_dir.h"

using platform::AtomicFile;

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    // The names in the folder, hidden ones included.
    int Entries() const {
        int count = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::directory_iterator(dir_.path())) {
            ++count;
        }
        return count;
    }

    testsupport::TempDir dir_;
};

}  // namespace

TEST_F(AtomicFileTest, TargetAppearsOnlyOnCommit) {
    testsupport::WriteFile(dir_ / "doc.pdf", "old");
    {
        AtomicFile file(dir_ / "doc.pdf");
        ASSERT_TRUE(file.ok());
        ASSERT_TRUE(file.Write("new bytes"));
        EXPECT_EQ(testsupport::ReadFile(dir_ / "doc.pdf"), "old");
        EXPECT_EQ(Entries(), 1);  // the bytes so far have no name
    }
    EXPECT_EQ(testsupport::ReadFile(dir_ / "doc.pdf"), "old");  // dropped without Commit

    AtomicFile file(dir_ / "doc.pdf");
    ASSERT_TRUE(file.Write("new bytes"));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(testsupport::ReadFile(dir_ / "doc.pdf"), "new bytes");
    EXPECT_EQ(Entries(), 1);
    EXPECT_FALSE(file.Write("more"));  // committed: closed
}

TEST_F(AtomicFileTest, ClaimNeverReplacesAnExistingFile) {
    testsupport::WriteFile(dir_ / "taken.pdf", "first");
    AtomicFile clash(dir_ / "taken.pdf");
    ASSERT_TRUE(clash.Write("second"));
    EXPECT_FALSE(clash.Commit(AtomicFile::Placement::kClaim));
    EXPECT_EQ(clash.error(), EEXIST);
    EXPECT_EQ(testsupport::ReadFile(dir_ / "taken.pdf"), "first");

    AtomicFile fresh(dir_ / "free.pdf");
    ASSERT_TRUE(fresh.Write("second"));
    EXPECT_TRUE(fresh.Commit(AtomicFile::Placement::kClaim));
    EXPECT_EQ(testsupport::ReadFile(dir_ / "free.pdf"), "second");
    EXPECT_EQ(Entries(), 2);
}

TEST_F(AtomicFileTest, FailuresLeaveNothingBehind) {
    AtomicFile noFolder(dir_ / "missing" / "a.pdf");
    EXPECT_FALSE(noFolder.ok());
    EXPECT_EQ(noFolder.error(), ENOENT);
    EXPECT_FALSE(noFolder.Commit());

    std::filesystem::create_directories(dir_ / "folder.pdf");
    AtomicFile onFolder(dir_ / "folder.pdf");
    ASSERT_TRUE(onFolder.Write("x"));
    EXPECT_FALSE(onFolder.Commit());
    EXPECT_NE(onFolder.error(), 0);
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "folder.pdf"));
    EXPECT_EQ(Entries(), 1);
}

TEST_F(AtomicFileTest, CopiesFromAnotherFileAndNoticesAShortOne) {
    testsupport::WriteFile(dir_ / "source", "0123456789");
    const platform::InputFile source(dir_ / "source");
    ASSERT_TRUE(source.ok());
    AtomicFile copy(dir_ / "copy");
    ASSERT_TRUE(copy.Write("<"));
    EXPECT_EQ(copy.CopyFrom(source, 4), AtomicFile::CopyResult::kCopied);
    ASSERT_TRUE(copy.Write(">"));
    ASSERT_TRUE(copy.Commit());
    EXPECT_EQ(testsupport::ReadFile(dir_ / "copy"), "<0123>");

    AtomicFile tooLong(dir_ / "long");
    EXPECT_EQ(tooLong.CopyFrom(source, 11), AtomicFile::CopyResult::kSourceEnded);
    EXPECT_FALSE(tooLong.ok());
    EXPECT_FALSE(std::filesystem::exists(dir_ / "long"));
}

TEST_F(AtomicFileTest, InputFilesReadRegularFilesAtAnyOffset) {
    testsupport::WriteFile(dir_ / "source", "0123456789");
    platform::InputFile source(dir_ / "source");
    ASSERT_TRUE(source.ok());
    EXPECT_EQ(source.size(), 10u);
    char bytes[4] = {};
    ASSERT_TRUE(source.ReadAt(6, bytes, 4));
    EXPECT_EQ(std::string(bytes, 4), "6789");
    EXPECT_FALSE(source.ReadAt(8, bytes, 4));
    EXPECT_EQ(source.error(), ENODATA);

    EXPECT_EQ(platform::InputFile(dir_.path()).error(), EINVAL);  // a folder
    EXPECT_EQ(platform::InputFile(dir_ / "missing").error(), ENOENT);
}

TEST_F(AtomicFileTest, ModeFollowsTheUmaskUnlessSetExactly) {
    const mode_t previous = ::umask(027);
    AtomicFile masked(dir_ / "masked");
    AtomicFile exact(dir_ / "exact");
    ::umask(previous);
    ASSERT_TRUE(masked.Commit());
    ASSERT_TRUE(exact.SetMode(0644) && exact.Commit());
    struct stat info {};
    ASSERT_EQ(::stat((dir_ / "masked").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    ASSERT_EQ(::stat((dir_ / "exact").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(AtomicFileTest, AFreeNameIsClaimedPastTheTakenOnes) {
    testsupport::WriteFile(dir_ / "scan.pdf", "first");
    testsupport::WriteFile(dir_ / "scan(1).pdf", "second");
    AtomicFile file(dir_ / "scan.pdf");
    ASSERT_TRUE(file.Write("third"));
    const auto nameFor = [&](unsigned n) {
        return std::filesystem::path(platform::PathToNative(
            platform::NumberedName(platform::PathFromNative((dir_ / "scan.pdf").native()), n)));
    };
    ASSERT_TRUE(file.CommitUnderFreeName(nameFor));
    EXPECT_EQ(file.target(), dir_ / "scan(2).pdf");
    EXPECT_EQ(testsupport::ReadFile(dir_ / "scan.pdf"), "first");
    EXPECT_EQ(testsupport::ReadFile(dir_ / "scan(1).pdf"), "second");
    EXPECT_EQ(testsupport::ReadFile(dir_ / "scan(2).pdf"), "third");
    EXPECT_EQ(Entries(), 3);

    AtomicFile noFolder(dir_ / "missing" / "a.pdf");
    EXPECT_FALSE(noFolder.CommitUnderFreeName(nameFor));
}

TEST(PathNamesTest, NumberedNamesGoBeforeTheExtensionOfTheFileName) {
    using platform::NumberedName;
    EXPECT_EQ(NumberedName(L"/out/trip.pdf", 0), L"/out/trip.pdf");
    EXPECT_EQ(NumberedName(L"/out/trip.pdf", 2), L"/out/trip(2).pdf");
    EXPECT_EQ(NumberedName(L"/out/a.jpg.pdf", 1), L"/out/a.jpg(1).pdf");
    EXPECT_EQ(NumberedName(L"/v1.2/trip", 3),
              L"/v1.2/trip(3)");  // a dot of a folder is no extension
    EXPECT_EQ(NumberedName(L"/out/\xDCFF.pdf", 1), L"/out/\xDCFF(1).pdf");
}
