#include "platform/file_io.h"

#include <gtest/gtest.h>

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
