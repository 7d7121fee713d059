#include "size_probe.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <system_error>
#include <thread>

#include "imaging/image.h"
#include "platform/file_io.h"
#include "platform/text.h"
#include "ui/window_api.h"

namespace {

// Enough for the headers of nearly every file; the rest are read whole.
constexpr std::size_t kHeaderBytes = 256 * 1024;

std::string ReadFirstBytes(const std::filesystem::path& file, std::size_t count) {
    std::ifstream stream(file, std::ios::binary);
    std::string bytes(count, '\0');
    stream.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(stream.gcount(), 0)));
    return bytes;
}

std::optional<imaging::ImageInfo> InspectBytes(const std::string& bytes) {
    return imaging::Inspect(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// TIFF and camera raw files are recognised and read through directories that may lie anywhere
// in the file, so a header taken from the first bytes alone may not be the whole story.
bool NeedsWholeFile(const imaging::ImageInfo& info) {
    return info.format == imaging::kFormatTiff || info.format == imaging::kFormatRaw;
}

}  // namespace

ProbeResult ProbeImageFile(std::uint64_t serial, const std::wstring& path) {
    ProbeResult result;
    result.serial = serial;
    const std::filesystem::path file = platform::ToUtf8(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return result;  // a folder, a device or a pipe would never end a read
    }
    const std::string head = ReadFirstBytes(file, kHeaderBytes);
    std::optional<imaging::ImageInfo> info = InspectBytes(head);
    if (head.size() == kHeaderBytes && (!info || NeedsWholeFile(*info))) {
        const std::optional<std::string> whole = platform::ReadFileBytes(file);
        info = whole ? InspectBytes(*whole) : std::nullopt;
    }
    if (info) {
        result.readable = true;
        result.xdpi = info->xdpi;
        result.width = info->width;
        result.height = info->height;
    }
    return result;
}

struct SizeProbe::Shared {
    HWND window = nullptr;
    UINT message = 0;
    std::mutex lock;
    std::deque<ProbeClaim> queue;
    std::vector<ProbeResult> results;
    bool announced = false;  // a message is on its way and results not yet taken
    int workers = 0;
    bool abandoned = false;

    // Takes the next claim; false (and the worker counted out) when there is none.
    bool NextClaim(ProbeClaim& claim) {
        std::lock_guard guard(lock);
        if (abandoned || queue.empty()) {
            --workers;
            return false;
        }
        claim = std::move(queue.front());
        queue.pop_front();
        return true;
    }

    void Deliver(ProbeResult result) {
        bool announce = false;
        {
            std::lock_guard guard(lock);
            if (abandoned) {
                return;
            }
            results.push_back(result);
            announce = !announced;
            announced = true;
        }
        if (announce) {
            PostMessage(window, message, 0, 0);
        }
    }

    static void Work(std::shared_ptr<Shared> shared) {
        ProbeClaim claim;
        while (shared->NextClaim(claim)) {
            shared->Deliver(ProbeImageFile(claim.serial, claim.path));
        }
    }
};

SizeProbe::SizeProbe(HWND window, UINT message) : shared_(std::make_shared<Shared>()) {
    shared_->window = window;
    shared_->message = message;
}

SizeProbe::~SizeProbe() {
    std::lock_guard guard(shared_->lock);
    shared_->abandoned = true;
    shared_->queue.clear();
}

void SizeProbe::Enqueue(std::vector<ProbeClaim> claims) {
    int toStart = 0;
    {
        std::lock_guard guard(shared_->lock);
        for (ProbeClaim& claim : claims) {
            shared_->queue.push_back(std::move(claim));
        }
        const int wanted = std::min<int>(kMaxWorkers, static_cast<int>(shared_->queue.size()));
        const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
        toStart = std::max(0, std::min(wanted, cores) - shared_->workers);
        shared_->workers += toStart;
    }
    for (int i = 0; i < toStart; ++i) {
        try {
            std::thread(&Shared::Work, shared_).detach();
        } catch (const std::system_error&) {
            // No thread to be had now: the claims wait for the next call.
            std::lock_guard guard(shared_->lock);
            --shared_->workers;
        }
    }
}

std::vector<ProbeResult> SizeProbe::TakeResults() {
    std::lock_guard guard(shared_->lock);
    shared_->announced = false;
    return std::exchange(shared_->results, {});
}
