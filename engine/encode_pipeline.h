#pragma once

// Prepares the images of a run on worker threads ahead of the pages that need them (decoding,
// shrinking and re-encoding them, or proving a PNG fit to be copied unchanged), while the run
// writes pages on its own thread. The run takes the results strictly in list order, so pages,
// reports and skips never depend on timing.
//
// Memory is bounded by a budget rather than a count: a worker does not start an image whose
// cost (its decoded size, estimated from the header) would take the images in flight and the
// results waiting past the budget. The image the run needs next always proceeds, so a single
// image larger than the budget still converts, and memory stays below the budget plus one
// image.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "image_acquisition.h"

namespace engine {

// Prepares one image. Called on the worker threads, at the same time for distinct images; must
// not throw (an exception that escapes becomes the image's failure).
using PrepareImage = std::function<PreparedImage(const std::wstring& path)>;
// The bytes preparing the image will hold at its peak; called on the worker threads. An
// exception counts as the whole budget.
using ImageCost = std::function<uint64_t(const std::wstring& path)>;

class EncodePipeline {
public:
    // Starts up to workers threads (at least one) that prepare the images of paths, in that
    // order, at most kWindowPerWorker per worker ahead of the run.
    EncodePipeline(std::vector<std::wstring> paths, unsigned workers, uint64_t budget,
                   PrepareImage prepare, ImageCost cost);
    // Drops the images not yet started and waits for those in progress.
    ~EncodePipeline();
    EncodePipeline(const EncodePipeline&) = delete;
    EncodePipeline& operator=(const EncodePipeline&) = delete;

    // The prepared result for the first image at or after the last one taken whose path is
    // path, waiting for it when needed; the images before it, which the run passed over, are
    // dropped. nullopt when path is not among the images still to come, or when the system
    // could not start a single worker: the caller then prepares the image itself. Run's thread
    // only.
    std::optional<PreparedImage> Take(const std::wstring& path);

    static constexpr size_t kWindowPerWorker = 4;

private:
    enum class Stage { kWaiting, kWorking, kDone };
    struct Item {
        std::wstring path;
        Stage stage = Stage::kWaiting;
        uint64_t reserved = 0;  // bytes of the budget it holds
        std::optional<PreparedImage> result;
    };

    void Work();
    uint64_t CostOf(const std::wstring& path) const;
    std::optional<size_t> Claim();
    bool Reserve(size_t index, uint64_t cost);
    void Finish(size_t index, uint64_t cost, PreparedImage result);
    void PassOver(size_t end);
    bool Dropped(size_t index) const { return index < cursor_ || stopping_; }

    std::vector<Item> items_;
    const size_t window_;
    const uint64_t budget_;
    const PrepareImage prepare_;
    const ImageCost cost_;

    std::mutex mutex_;
    std::condition_variable changed_;
    size_t nextToStart_ = 0;  // the first image no worker has claimed
    size_t cursor_ = 0;       // the first image the run has neither taken nor passed over
    uint64_t reserved_ = 0;   // bytes held by images in progress and results waiting
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

// The number of workers a run uses: requested when it is not 0; otherwise the environment
// variable FOLIOFORGE_JOBS when it holds a positive number; otherwise the hardware threads.
// Never 0.
unsigned WorkerCount(unsigned requested);

// The memory budget of a run's pipeline, in bytes.
inline constexpr uint64_t kPipelineBudget = 512ull << 20;

// Installs a pipeline on the run for the lifetime of this object: it re-encodes every image
// when the settings ask for that, and otherwise proves PNG files for pass-through.
class ScopedEncodePipeline {
public:
    ScopedEncodePipeline(RunState& run, std::vector<std::wstring> paths);
    ~ScopedEncodePipeline();
    ScopedEncodePipeline(const ScopedEncodePipeline&) = delete;
    ScopedEncodePipeline& operator=(const ScopedEncodePipeline&) = delete;

private:
    RunState& run_;
    std::optional<EncodePipeline> pipeline_;
};

}  // namespace engine
