#pragma once

// Re-encodes the coming images on worker threads while the current page is written, so that a
// run that re-encodes every image keeps both cores busy. Results are handed out in list order;
// reports, skips and pages stay exactly as without it.

#include <deque>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "image_acquisition.h"
#include "run_state.h"

namespace engine {

class EncodeAhead {
public:
    // Prepares the images of paths, in that order, at most kDepth at a time.
    EncodeAhead(const ConversionSettings& settings, const EncodeRequest& request,
                std::vector<std::wstring> paths);
    // Waits for the work in flight.
    ~EncodeAhead();
    EncodeAhead(const EncodeAhead&) = delete;
    EncodeAhead& operator=(const EncodeAhead&) = delete;

    // The prepared result for path, when path is among the images in flight (those before it,
    // which the run passed over, are dropped); nullopt otherwise. Waits for it when needed.
    std::optional<EncodedImage> Take(const std::wstring& path);

    static constexpr size_t kDepth = 2;

private:
    struct Pending {
        std::wstring path;
        std::future<EncodedImage> result;
    };

    void Launch();

    ConversionSettings settings_;
    EncodeRequest request_;
    std::vector<std::wstring> paths_;
    size_t next_ = 0;
    std::deque<Pending> pending_;
};

// Installs an EncodeAhead on the run for the lifetime of this object, when the settings
// re-encode every image; otherwise it does nothing.
class ScopedEncodeAhead {
public:
    ScopedEncodeAhead(RunState& run, std::vector<std::wstring> paths);
    ~ScopedEncodeAhead();
    ScopedEncodeAhead(const ScopedEncodeAhead&) = delete;
    ScopedEncodeAhead& operator=(const ScopedEncodeAhead&) = delete;

private:
    RunState& run_;
    std::optional<EncodeAhead> ahead_;
};

}  // namespace engine
