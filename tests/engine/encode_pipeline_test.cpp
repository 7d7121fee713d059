#include "encode_pipeline.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

using engine::EncodePipeline;
using engine::PreparedImage;

std::vector<std::wstring> Names(int count) {
    std::vector<std::wstring> names;
    for (int i = 0; i < count; ++i) {
        names.push_back(L"image" + std::to_wstring(i));
    }
    return names;
}

// A preparation that names its result after the path, takes a little while (longer for early
// images, so that later ones finish first) and records what was prepared and how much of the
// budget was in use at once.
class Recorder {
public:
    engine::PrepareImage Prepare() {
        return [this](const std::wstring& path) {
            const int inUse = ++inUse_;
            {
                std::lock_guard lock(mutex_);
                prepared_.insert(path);
                mostAtOnce_ = std::max(mostAtOnce_, inUse);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(path.size() % 3 + 1));
            --inUse_;
            PreparedImage result;
            result.failure = path;
            return result;
        };
    }

    std::set<std::wstring> Prepared() {
        std::lock_guard lock(mutex_);
        return prepared_;
    }
    int MostAtOnce() {
        std::lock_guard lock(mutex_);
        return mostAtOnce_;
    }

private:
    std::mutex mutex_;
    std::atomic<int> inUse_ = 0;
    int mostAtOnce_ = 0;
    std::set<std::wstring> prepared_;
};

engine::ImageCost Costing(uint64_t bytes) {
    return [bytes](const std::wstring&) { return bytes; };
}

TEST(EncodePipeline, HandsOutResultsInListOrderWhateverTheWorkerCount) {
    for (unsigned workers : {1u, 2u, 4u, 9u}) {
        Recorder recorder;
        EncodePipeline pipeline(Names(30), workers, 1 << 30, recorder.Prepare(), Costing(1));
        for (const std::wstring& name : Names(30)) {
            const std::optional<PreparedImage> result = pipeline.Take(name);
            ASSERT_TRUE(result) << workers;
            EXPECT_EQ(result->failure, name) << workers;
        }
        EXPECT_FALSE(pipeline.Take(L"image0")) << "everything was taken";
    }
}

TEST(EncodePipeline, PassedOverImagesNeverStopIt) {
    Recorder recorder;
    EncodePipeline pipeline(Names(40), 2, 1 << 30, recorder.Prepare(), Costing(1));
    // Runs of passed-over images longer than the window ahead of the run.
    for (int i : {0, 1, 4, 5, 20, 21, 39}) {
        const std::wstring name = L"image" + std::to_wstring(i);
        const std::optional<PreparedImage> result = pipeline.Take(name);
        ASSERT_TRUE(result) << i;
        EXPECT_EQ(result->failure, name);
    }
    EXPECT_FALSE(pipeline.Take(L"image3")) << "passed over for good";
}

TEST(EncodePipeline, ARepeatedPathIsTakenOncePerPlaceInTheList) {
    Recorder recorder;
    EncodePipeline pipeline({L"a", L"b", L"a", L"a"}, 3, 1 << 30, recorder.Prepare(), Costing(1));
    EXPECT_TRUE(pipeline.Take(L"a"));
    EXPECT_TRUE(pipeline.Take(L"a")) << "the second a, passing over b";
    EXPECT_TRUE(pipeline.Take(L"a"));
    EXPECT_FALSE(pipeline.Take(L"a"));
    EXPECT_FALSE(pipeline.Take(L"b"));
}

TEST(EncodePipeline, KeepsImagesInFlightWithinTheBudget) {
    Recorder recorder;
    // Each image costs 100 bytes of a budget of 250: two at once within it, and perhaps the one
    // the run waits for beyond it, of 6 workers.
    EncodePipeline pipeline(Names(24), 6, 250, recorder.Prepare(), Costing(100));
    for (const std::wstring& name : Names(24)) {
        ASSERT_TRUE(pipeline.Take(name));
    }
    EXPECT_LE(recorder.MostAtOnce(), 3);
}

TEST(EncodePipeline, AnImageLargerThanTheBudgetStillProceedsAlone) {
    Recorder recorder;
    EncodePipeline pipeline(Names(5), 4, 100, recorder.Prepare(), Costing(1000));
    for (const std::wstring& name : Names(5)) {
        const std::optional<PreparedImage> result = pipeline.Take(name);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->failure, name);
    }
    EXPECT_EQ(recorder.MostAtOnce(), 1);
}

TEST(EncodePipeline, StopsWithoutPreparingTheRestWhenTheRunEndsEarly) {
    Recorder recorder;
    {
        EncodePipeline pipeline(Names(200), 2, 1 << 30, recorder.Prepare(), Costing(1));
        ASSERT_TRUE(pipeline.Take(L"image0"));
    }
    EXPECT_LE(recorder.Prepared().size(), 1 + 2 * EncodePipeline::kWindowPerWorker);
}

TEST(EncodePipeline, APreparationThatThrowsBecomesTheImagesFailure) {
    EncodePipeline pipeline(
        Names(2), 2, 1 << 30,
        [](const std::wstring& path) -> PreparedImage {
            if (path == L"image0") {
                throw std::runtime_error("no memory left");
            }
            return {};
        },
        Costing(1));
    EXPECT_EQ(pipeline.Take(L"image0")->failure, L"no memory left");
    EXPECT_TRUE(pipeline.Take(L"image1")->failure.empty());
}

TEST(WorkerCount, ComesFromTheCallerThenTheEnvironmentThenTheHardware) {
    const unsigned hardware = std::max(std::thread::hardware_concurrency(), 1u);
    const char* outer = std::getenv("FOLIOFORGE_JOBS");
    const std::string saved = outer ? outer : "";
    unsetenv("FOLIOFORGE_JOBS");
    EXPECT_EQ(engine::WorkerCount(3), 3u);
    EXPECT_EQ(engine::WorkerCount(0), hardware);
    setenv("FOLIOFORGE_JOBS", "5", 1);
    EXPECT_EQ(engine::WorkerCount(0), 5u);
    EXPECT_EQ(engine::WorkerCount(2), 2u);
    for (const char* bad : {"0", "-1", "2x", ""}) {
        setenv("FOLIOFORGE_JOBS", bad, 1);
        EXPECT_EQ(engine::WorkerCount(0), hardware) << bad;
    }
    if (outer) {
        setenv("FOLIOFORGE_JOBS", saved.c_str(), 1);
    } else {
        unsetenv("FOLIOFORGE_JOBS");
    }
}

}  // namespace
