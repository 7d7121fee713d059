#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/input_file.h"
#include "platform/text.h"
#include "temp_dir.h"

using namespace platform;

TEST(FileIoTest, KindsOfPathsAndFolderCreation) {
    testsupport::TempDir dir;
    const std::wstring root = FromUtf8(dir.path().string());
    testsupport::WriteFile(dir / "файл.txt", "x");
    EXPECT_EQ(KindOf(root), PathKind::kFolder);
    EXPECT_EQ(KindOf(root + L"/файл.txt"), PathKind::kOther);
    EXPECT_EQ(KindOf(root + L"/missing"), PathKind::kMissing);
    EXPECT_EQ(KindOf(root + L"/файл.txt/below"), PathKind::kMissing);

    EXPECT_TRUE(CreateFolders(root + L"/a/b/c"));
    EXPECT_EQ(KindOf(root + L"/a/b/c"), PathKind::kFolder);
    EXPECT_FALSE(CreateFolders(root + L"/файл.txt/sub"));  // a file stands in the way
}

TEST(FileIoTest, WholeFileReadsAndAtomicWrites) {
    testsupport::TempDir dir;
    EXPECT_FALSE(ReadFileBytes(dir.path()));  // a folder is not a file
    EXPECT_FALSE(ReadFileBytes(dir / "missing"));

    ASSERT_TRUE(WriteFileAtomically(dir / "out", std::string("a\0b", 3)));
    EXPECT_EQ(ReadFileBytes(dir / "out"), std::string("a\0b", 3));
    std::filesystem::create_directories(dir / "blocked");
    EXPECT_FALSE(WriteFileAtomically(dir / "blocked", "x"));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 2);  // no temporary file left behind
}

// A FIFO would block a reader until a writer appears and a device would never end: both are
// refused from their kind, without being opened for reading.
TEST(FileIoTest, OnlyRegularFilesAreRead) {
    testsupport::TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "x.jpg").c_str(), 0644), 0);
    std::filesystem::create_symlink("/dev/zero", dir / "zero.png");
    std::filesystem::create_symlink("/dev/urandom", dir / "noise.tif");
    for (const char* name : {"x.jpg", "zero.png", "noise.tif"}) {
        int error = 0;
        EXPECT_FALSE(ReadFileBytes(dir / name, UINT64_MAX, &error)) << name;
        EXPECT_EQ(error, EINVAL) << name;
        EXPECT_EQ(RegularFileError(dir / name), EINVAL) << name;
        EXPECT_EQ(InputFile(dir / name).error(), EINVAL) << name;
    }
    EXPECT_EQ(RegularFileError(dir / "missing"), ENOENT);
    std::filesystem::create_symlink(dir / "missing", dir / "dangling.jpg");
    EXPECT_EQ(RegularFileError(dir / "dangling.jpg"), ENOENT);

    testsupport::WriteFile(dir / "ten", "0123456789");
    int error = 0;
    EXPECT_FALSE(ReadFileBytes(dir / "ten", 9, &error));
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(ReadFileBytes(dir / "ten", 10, &error), "0123456789");
    EXPECT_EQ(error, 0);
    EXPECT_EQ(RegularFileError(dir / "ten"), 0);
}

TEST(FileIoTest, NamesThatAreNotUtf8StayReachable) {
    testsupport::TempDir dir;
    const std::string name = "caf\xE9.txt";  // Latin-1, not UTF-8
    testsupport::WriteFile(dir / name, "x");
    const std::wstring root = PathFromNative(dir.path().string());
    EXPECT_EQ(KindOf(root + PathFromNative("/" + name)), PathKind::kOther);
    EXPECT_TRUE(ModificationTime(root + PathFromNative("/" + name)));

    EXPECT_TRUE(CreateFolders(root + PathFromNative("/d\xFF\xFE/sub")));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "d\xFF\xFE" / "sub"));
}

TEST(FileIoTest, AFolderIsClaimedOnlyByItsCreator) {
    testsupport::TempDir dir;
    const std::wstring folder = PathFromNative((dir / "out").string());
    EXPECT_TRUE(platform::ClaimFolder(folder));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "out"));
    EXPECT_FALSE(platform::ClaimFolder(folder));  // taken
    testsupport::WriteFile(dir / "file", "x");
    EXPECT_FALSE(platform::ClaimFolder(PathFromNative((dir / "file").string())));
    EXPECT_FALSE(platform::ClaimFolder(PathFromNative((dir / "no/parent").string())));
}

TEST(FileIoTest, LockWaitsForItsHolderOnlyAsLongAsItsPatience) {
    testsupport::TempDir dir;
    const auto lockFile = dir / "store.lock";
    {
        FileLock holder(lockFile);
        ASSERT_TRUE(holder.held());
        FileLock impatient(lockFile, std::chrono::milliseconds(50));
        EXPECT_FALSE(impatient.held());
    }
    FileLock later(lockFile, std::chrono::milliseconds(50));
    EXPECT_TRUE(later.held());
}
