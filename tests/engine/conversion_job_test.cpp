#include "engine/conversion_job.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
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
    for (const wchar_t* name :
         {L"a.txt", L"a.jp", L"a.jpg.bak", L"jpg", L"/photos.v2/scan", L"/x.jpg/scan", L".", L""}) {
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
    std::wstring first, third;
    job_.GetImagePath(0, first), job_.GetImagePath(2, third);
    EXPECT_EQ(first, third);
    EXPECT_EQ(job_.ImageCount(), 3u);
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

TEST_F(ConversionJobTest, StartsWithDefaultsAndCopiesTheSettingsItIsGiven) {
    EXPECT_EQ(job_.Settings().JpepPercent, 30);
    EXPECT_EQ(job_.ImageCount(), 0u);
    EXPECT_EQ(job_.PagesPlaced(), 0);
    engine::ConversionSettings settings;
    settings.JpepPercent = 80;
    job_.SetSettings(settings);
    settings.JpepPercent = 10;
    EXPECT_EQ(job_.Settings().JpepPercent, 80);
}

// The callback runs inside Run on the engine's thread, which holds the job lock: calls from
// there go through, calls from other threads wait for the run to end.
TEST_F(ConversionJobTest, LockedCallsWaitForTheRunningEngine) {
    struct Probe {
        ConversionJob* job;
        std::atomic<bool> inRun{false};
        std::atomic<bool> release{false};
        std::wstring seenInside;
    } probe{&job_, {}, {}, {}};
    job_.AddImagePath(MakeFile("a.png"));
    job_.SetOutputFile(platform::FromUtf8((dir_ / "out.pdf").string()));
    job_.SetProgressCallback(
        [](int32_t, int32_t index, const wchar_t*, void* context) -> int32_t {
            auto* probe = static_cast<Probe*>(context);
            if (index != 0) {
                return 0;
            }
            probe->seenInside = probe->job->GetOutputFile();  // re-entrant on the engine's thread
            probe->inRun = true;
            while (!probe->release) {
                std::this_thread::yield();
            }
            return 0;
        },
        &probe);
    std::thread engine([&] { job_.Run(); });
    while (!probe.inRun) {
        std::this_thread::yield();
    }
    std::atomic<bool> counted{false};
    std::thread counter([&] {
        job_.ImageCount();
        counted = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(counted);
    probe.release = true;
    engine.join();
    counter.join();
    EXPECT_TRUE(counted);
    EXPECT_EQ(probe.seenInside, job_.GetOutputFile());
}
