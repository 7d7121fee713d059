#include "encode_ahead.h"

#include <algorithm>

namespace engine {

EncodeAhead::EncodeAhead(const ConversionSettings& settings, const EncodeRequest& request,
                         std::vector<std::wstring> paths)
    : settings_(settings), request_(request), paths_(std::move(paths)) {
    Launch();
}

EncodeAhead::~EncodeAhead() {
    for (Pending& pending : pending_) {
        pending.result.wait();
    }
}

void EncodeAhead::Launch() {
    while (pending_.size() < kDepth && next_ < paths_.size()) {
        const std::wstring& path = paths_[next_++];
        pending_.push_back({path, std::async(std::launch::async, [this, path] {
                                return EncodeImageFile(settings_, path, request_);
                            })});
    }
}

std::optional<EncodedImage> EncodeAhead::Take(const std::wstring& path) {
    auto match = std::find_if(pending_.begin(), pending_.end(),
                              [&](const Pending& pending) { return pending.path == path; });
    if (match == pending_.end()) {
        return std::nullopt;
    }
    EncodedImage result = match->result.get();
    pending_.erase(pending_.begin(), match + 1);
    Launch();
    return result;
}

ScopedEncodeAhead::ScopedEncodeAhead(RunState& run, std::vector<std::wstring> paths) : run_(run) {
    if (auto request = UpfrontEncodeRequest(run.settings)) {
        ahead_.emplace(run.settings, *request, std::move(paths));
        run_.encodeAhead = &*ahead_;
    }
}

ScopedEncodeAhead::~ScopedEncodeAhead() {
    run_.encodeAhead = nullptr;
}

}  // namespace engine
