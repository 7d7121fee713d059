#include "encode_pipeline.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <system_error>

#include "image_cost.h"
#include "platform/text.h"

namespace engine {

EncodePipeline::EncodePipeline(std::vector<std::wstring> paths, unsigned workers, uint64_t budget,
                               PrepareImage prepare, ImageCost cost)
    : window_(kWindowPerWorker * std::max(workers, 1u)),
      budget_(budget),
      prepare_(std::move(prepare)),
      cost_(std::move(cost)) {
    items_.reserve(paths.size());
    for (std::wstring& path : paths) {
        items_.emplace_back().path = std::move(path);
    }
    const size_t threads = std::min<size_t>(std::max(workers, 1u), items_.size());
    try {
        for (size_t i = 0; i < threads; ++i) {
            workers_.emplace_back([this] { Work(); });
        }
    } catch (const std::system_error&) {
        // The system gives no more threads: fewer workers, or none and the run does the work.
    }
}

EncodePipeline::~EncodePipeline() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) {
        worker.join();
    }
}

void EncodePipeline::Work() {
    while (const std::optional<size_t> index = Claim()) {
        const std::wstring& path = items_[*index].path;  // the list never changes
        const uint64_t cost = CostOf(path);
        if (!Reserve(*index, cost)) {
            continue;
        }
        PreparedImage result;
        try {
            result = prepare_(path);
        } catch (const std::exception& error) {
            result = {};
            result.failure = platform::FromUtf8(error.what());
        }
        Finish(*index, cost, std::move(result));
    }
}

// An image whose cost cannot be judged counts as the whole budget.
uint64_t EncodePipeline::CostOf(const std::wstring& path) const {
    try {
        return cost_(path);
    } catch (const std::exception&) {
        return budget_;
    }
}

// The next image to prepare, once it lies inside the window ahead of the run; nullopt when
// there is none left or the pipeline stops.
std::optional<size_t> EncodePipeline::Claim() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] {
        return stopping_ || nextToStart_ >= items_.size() || nextToStart_ < cursor_ + window_;
    });
    while (!stopping_ && nextToStart_ < cursor_) {
        ++nextToStart_;  // passed over before anyone started it
    }
    if (stopping_ || nextToStart_ >= items_.size()) {
        return std::nullopt;
    }
    items_[nextToStart_].stage = Stage::kWorking;
    return nextToStart_++;
}

// Waits until cost fits into the budget or the image is the one the run needs next (which must
// proceed, or the run would wait for ever on results that hold the budget); then holds cost for
// the image. False when the image was dropped.
bool EncodePipeline::Reserve(size_t index, uint64_t cost) {
    std::unique_lock lock(mutex_);
    changed_.wait(
        lock, [&] { return Dropped(index) || index == cursor_ || reserved_ + cost <= budget_; });
    if (Dropped(index)) {
        items_[index].stage = Stage::kDone;
        changed_.notify_all();
        return false;
    }
    reserved_ += cost;
    items_[index].reserved = cost;
    return true;
}

// Keeps the result, holding its own size of the budget instead of cost, unless the run has
// passed the image over meanwhile.
void EncodePipeline::Finish(size_t index, uint64_t cost, PreparedImage result) {
    {
        std::lock_guard lock(mutex_);
        Item& item = items_[index];
        reserved_ -= cost;
        item.reserved = 0;
        item.stage = Stage::kDone;
        if (!Dropped(index)) {
            item.reserved = result.HeldBytes();
            reserved_ += item.reserved;
            item.result = std::move(result);
        }
    }
    changed_.notify_all();
}

// Drops the results of the images before end and moves the cursor there. Under the lock.
void EncodePipeline::PassOver(size_t end) {
    for (; cursor_ < end; ++cursor_) {
        Item& item = items_[cursor_];
        if (item.stage == Stage::kDone) {
            reserved_ -= item.reserved;
            item.reserved = 0;
            item.result.reset();
        }
    }
}

std::optional<PreparedImage> EncodePipeline::Take(const std::wstring& path) {
    if (workers_.empty()) {
        return std::nullopt;
    }
    std::unique_lock lock(mutex_);
    const auto match = std::find_if(items_.begin() + static_cast<ptrdiff_t>(cursor_), items_.end(),
                                    [&](const Item& item) { return item.path == path; });
    if (match == items_.end()) {
        return std::nullopt;
    }
    const size_t index = static_cast<size_t>(match - items_.begin());
    PassOver(index);
    changed_.notify_all();
    changed_.wait(lock, [&] { return match->stage == Stage::kDone; });
    std::optional<PreparedImage> result = std::move(match->result);
    PassOver(index + 1);
    lock.unlock();
    changed_.notify_all();
    return result;
}

unsigned WorkerCount(unsigned requested) {
    if (requested != 0) {
        return requested;
    }
    if (const char* text = std::getenv("FOLIOFORGE_JOBS")) {
        unsigned count = 0;
        const char* end = text + std::strlen(text);
        const auto parsed = std::from_chars(text, end, count);
        if (parsed.ec == std::errc() && parsed.ptr == end && count > 0) {
            return count;
        }
    }
    return std::max(std::thread::hardware_concurrency(), 1u);
}

ScopedEncodePipeline::ScopedEncodePipeline(RunState& run, std::vector<std::wstring> paths)
    : run_(run) {
    const ConversionSettings& settings = run.settings;
    const std::optional<EncodeRequest> request = UpfrontEncodeRequest(settings);
    PrepareImage prepare = [&settings, request](const std::wstring& path) {
        return request ? EncodeImageFile(settings, path, *request) : ProvePngFile(path);
    };
    ImageCost cost = [reencodes = request.has_value()](const std::wstring& path) {
        return reencodes ? DecodedSizeOf(path) : PngProofCost(path);
    };
    pipeline_.emplace(std::move(paths), WorkerCount(run.workers), kPipelineBudget,
                      std::move(prepare), std::move(cost));
    run_.pipeline = &*pipeline_;
}

ScopedEncodePipeline::~ScopedEncodePipeline() {
    run_.pipeline = nullptr;
}

}  // namespace engine
