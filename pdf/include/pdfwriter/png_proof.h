#pragma once

// Proving a PNG file fit to be copied into a PDF unchanged ahead of time, on any thread, so that
// the thread writing the document only copies it.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace pdf {

// The largest inflated image a proof inflates in one call into a buffer of its size; larger
// ones are inflated through a small window (more slowly).
inline constexpr uint64_t kProofBufferLimit = 64ull << 20;

// A PNG file's bytes, proven to pass through: a layout PDF can carry, every chunk's CRC right,
// and image data that inflates to exactly the rows the header promises. While it lives, a
// PdfWriter that loads these very bytes (through create_pvf) copies them without proving them
// again; the bytes cannot change meanwhile, as the object owns them and gives out only a view.
// Move-only; moving keeps the bytes where they are.
class ProvenPng {
public:
    // The bytes proven, or nullopt when they cannot pass through unchanged (the writer then
    // decodes them, or refuses them when they are damaged). Any thread.
    static std::optional<ProvenPng> Prove(std::vector<uint8_t> bytes);

    ~ProvenPng();
    ProvenPng(ProvenPng&&) noexcept;
    ProvenPng& operator=(ProvenPng&&) noexcept;

    // Valid while this object lives.
    std::span<const uint8_t> bytes() const;

private:
    struct Held;
    explicit ProvenPng(std::unique_ptr<Held> held);
    std::unique_ptr<Held> held_;
};

// True when bytes is exactly the view of a living ProvenPng. Any thread.
bool IsProvenPng(std::span<const uint8_t> bytes);

}  // namespace pdf
