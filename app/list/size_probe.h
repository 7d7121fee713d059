#pragma once

// SizeProbe: reads the resolution and pixel size of image files on worker threads, from their
// headers only, and hands the results back to the GUI thread.
//
// Claims go into one queue that up to kMaxWorkers std::threads work off in order; a worker ends
// when the queue is empty. Each result is tagged with the serial number of the row it was
// claimed for, so the owner can put it on that row wherever the row has moved, or drop it when
// the row is gone. When results are waiting, the owner's window gets the message once (a
// PostMessage, which the window layer drops when the window has died) and collects them with
// TakeResults.
//
// Workers own everything they use (the shared queue through a shared pointer, the paths by
// value) and never touch the owner: destroying a SizeProbe abandons the queue and returns at
// once, without waiting; a worker still reading a file finishes it and ends.
//
// GUI thread for every member function.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/wintypes.h"

struct ProbeClaim {
    std::uint64_t serial = 0;
    std::wstring path;
};

struct ProbeResult {
    std::uint64_t serial = 0;
    bool readable = false;  // false: not a regular file, or not an image the decoders accept
    std::uint32_t xdpi = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// Reads what a full decode of the file would report as its horizontal resolution and size,
// from the header alone: the file's first bytes, or the whole file when the header lies
// further in (and for TIFF-structured files, whose directories may lie anywhere). Any thread.
ProbeResult ProbeImageFile(std::uint64_t serial, const std::wstring& path);

class SizeProbe {
public:
    static constexpr int kMaxWorkers = 4;

    // Results are announced to window by message (wParam and lParam 0).
    SizeProbe(HWND window, UINT message);
    ~SizeProbe();
    SizeProbe(const SizeProbe&) = delete;
    SizeProbe& operator=(const SizeProbe&) = delete;

    // Queues the claims behind any still waiting and starts workers as needed.
    void Enqueue(std::vector<ProbeClaim> claims);

    // The results that arrived since the last call, in the order they were found.
    std::vector<ProbeResult> TakeResults();

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};
