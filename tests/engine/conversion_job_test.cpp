#include "engine/conversion_job.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/text.h"
#include "temp_dir.h"

using engine::ConversionJob;

namespace {

class ConversionJobTest : public ::testing::Test {
protected:
    std::wstring MakeFile(const std::string& relative) {
        const auto path = dir_ / relative;
        std::filesystem::create_directories(path.parent_path());
        testsupport::WriteFile(path, "bytes");
        return platform::FromUtf8(path.string());
    }

    testsupport::TempDir dir_;
    ConversionJob job_;
};

}  // namespace

TEST_F(ConversionJobTest, AcceptsTheTwelveExtensionsInAnyCase) {
    for (const wchar_t* name : {L"a.tif", L"a.TIFF", L"a.gif", L"a.Bmp", L"a.dib", L"a.png",
                                L"a.mng", L"a.raw", L"a.jbig", L"a.JPG", L"a.jpeg", L"a.jpe"}) {
        EXPECT_TRUE(ConversionJob::IsAcceptedImage(name)) << name;
    }
    for (const wchar_t* name : {L"a.txt", L"a.jp", L"a.jpg.bak", L"jpg", L"/photos.v2/scan",
                                L"/x.jpg/scan", L".", L""}) {
        EXPECT_FALSE(ConversionJob::IsAcceptedImage(name)) << name;
    }
    EXPECT_TRUE(ConversionJob::IsAcceptedImage(L"/photos.v2/.png"));
}

TEST_F(ConversionJobTest, AddsOnlyExistingAcceptedFiles) {
    EXPECT_EQ(job_.AddImagePath(MakeFile("Holiday.JPG")), 1);
    EXPECT_EQ(job_.AddImagePath(MakeFile("notes.txt")), -1);
    EXPECT_EQ(job_.AddImagePath(MakeFile("photos.v2/scan")), -1);
    EXPECT_EQ(job_.AddImagePath(platform::FromUtf8((dir_ / "missing.png").string())), -1);
    std::filesystem::create_directories(dir_ / "folder.png");
    EXPECT_EQ(job_.AddImagePath(platform::FromUtf8((dir_ / "folder.png").string())), -1);
    EXPECT_EQ(job_.AddImagePath(MakeFile("Über 图片.png")), 2);
    EXPECT_EQ(job_.AddImagePath(MakeFile("Holiday.JPG")), 3);  // duplicates are kept
    EXPECT_EQ(job_.imagePaths[0], job_.imagePaths[2]);
}

TEST_F(ConversionJobTest, GetImagePathPastTheEndGivesEmptyAndMinusOne) {
    const std::wstring path = MakeFile("one.png");
    job_.AddImagePath(path);
    std::wstring out = L"stale";
    EXPECT_EQ(job_.GetImagePath(0, out), 0);
    EXPECT_EQ(out, path);
    EXPECT_EQ(job_.GetImagePath(1, out), -1);
    EXPECT_TRUE(out.empty());
}

TEST_F(ConversionJobTest, StartsWithDefaultsAndWaitsForTheRunningEngine) {
    EXPECT_EQ(job_.watermarkImageHandle, -1);
    EXPECT_EQ(job_.settingsSnapshot.JpepPercent, 30);
    EXPECT_EQ(job_.progressCallback, nullptr);

    std::unique_lock engineHolds(job_.jobLock);
    job_.outputFile = L"/out/a.pdf";
    job_.outputLocation = L"/out/a.pdf";
    std::wstring seen;
    std::thread reader([&] { seen = job_.GetOutputFile(); });
    EXPECT_EQ(job_.GetOutputLocation(), L"/out/a.pdf");  // read without the lock
    EXPECT_EQ(job_.GetOutputFile(), L"/out/a.pdf");      // re-entrant on the holding thread
    job_.outputFile = L"/out/b.pdf";
    engineHolds.unlock();
    reader.join();
    EXPECT_EQ(seen, L"/out/b.pdf");
}
