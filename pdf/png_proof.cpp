#include "pdfwriter/png_proof.h"

#include <algorithm>
#include <mutex>

#include "png_embedding.h"

namespace pdf {
namespace {

// The views of the living proofs. Few at a time (one per image in flight), so a list will do.
struct ProofRegistry {
    std::mutex mutex;
    std::vector<std::span<const uint8_t>> views;
};

ProofRegistry& Registry() {
    static ProofRegistry registry;
    return registry;
}

bool SameView(std::span<const uint8_t> a, std::span<const uint8_t> b) {
    return a.data() == b.data() && a.size() == b.size();
}

}  // namespace

struct ProvenPng::Held {
    explicit Held(std::vector<uint8_t> proven) : bytes(std::move(proven)) {
        ProofRegistry& registry = Registry();
        std::lock_guard lock(registry.mutex);
        registry.views.push_back(bytes);
    }
    ~Held() {
        ProofRegistry& registry = Registry();
        std::lock_guard lock(registry.mutex);
        const std::span<const uint8_t> view(bytes);
        std::erase_if(registry.views, [&](auto entry) { return SameView(entry, view); });
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

    const std::vector<uint8_t> bytes;
};

std::optional<ProvenPng> ProvenPng::Prove(std::vector<uint8_t> bytes) {
    const std::optional<PngPassThrough> plan = PlanPngPassThrough(bytes);
    if (!plan || !PngIsSound(bytes, *plan)) {
        return std::nullopt;
    }
    return ProvenPng(std::make_unique<Held>(std::move(bytes)));
}

ProvenPng::ProvenPng(std::unique_ptr<Held> held) : held_(std::move(held)) {}
ProvenPng::~ProvenPng() = default;
ProvenPng::ProvenPng(ProvenPng&&) noexcept = default;
ProvenPng& ProvenPng::operator=(ProvenPng&&) noexcept = default;

std::span<const uint8_t> ProvenPng::bytes() const {
    return held_->bytes;
}

bool IsProvenPng(std::span<const uint8_t> bytes) {
    if (bytes.empty()) {
        return false;
    }
    ProofRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    return std::any_of(registry.views.begin(), registry.views.end(),
                       [&](auto entry) { return SameView(entry, bytes); });
}

}  // namespace pdf
