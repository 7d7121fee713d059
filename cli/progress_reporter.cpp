#include "progress_reporter.h"

#include "engine/result_codes.h"
#include "platform/path_names.h"
#include "platform/text.h"

namespace cli {
namespace {

constexpr int kBarWidth = 24;
constexpr size_t kNameWidth = 32;

std::string Shown(const std::wstring& path) {
    return platform::ToUtf8(platform::DisplayPath(path));
}

std::string FileName(const std::wstring& path) {
    std::wstring name = platform::DisplayPath(platform::FileNamePart(path));
    if (name.size() > kNameWidth) {
        name = L"…" + name.substr(name.size() - kNameWidth + 1);
    }
    return platform::ToUtf8(name);
}

std::string Duration(double seconds) {
    const int whole = static_cast<int>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d", whole / 60, whole % 60);
    return text;
}

const char* ResultText(int result) {
    switch (result) {
        case engine::RESULT_OK:
            return "done";
        case engine::RESULT_OPEN_FAILED:
            return "the PDF could not be created";
        case engine::RESULT_NO_IMAGES:
            return "no images to convert";
        case engine::RESULT_NO_OUTPUT:
            return "no output given";
        case engine::RESULT_PDF_ERROR:
            return "PDF error (no page could be written)";
        case engine::RESULT_INFO_FAILED:
            return "the document information could not be written";
        case engine::RESULT_CANCELLED:
            return "interrupted";
        default:
            return "failed";
    }
}

}  // namespace

ProgressReporter::ProgressReporter(std::FILE* out, bool showBar, bool quiet)
    : out_(out), showBar_(showBar && !quiet), quiet_(quiet) {}

void ProgressReporter::Progress(int total, int index, const std::wstring& text) {
    if (showBar_ && index < total) {
        DrawBar(total, index, text);
    }
}

void ProgressReporter::DrawBar(int total, int index, const std::wstring& path) {
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const double rate = elapsed > 0 ? index / elapsed : 0;
    const int filled = total > 0 ? kBarWidth * index / total : 0;
    const std::string bar = std::string(filled, '#') + std::string(kBarWidth - filled, '-');
    const std::string eta = rate > 0 ? Duration((total - index) / rate) : "--:--";
    std::fprintf(out_, "\r\033[K[%s] %d/%d %.1f img/s ETA %s %s", bar.c_str(), index, total, rate,
                 eta.c_str(), FileName(path).c_str());
    std::fflush(out_);
    barShown_ = true;
}

void ProgressReporter::ClearBar() {
    if (!barShown_) {
        return;
    }
    std::fputs("\r\033[K", out_);
    barShown_ = false;
}

void ProgressReporter::Skipped(const std::wstring& path, const std::wstring& reason) {
    ++skipped_;
    ClearBar();
    std::fprintf(out_, "skipped %s: %s\n", Shown(path).c_str(), platform::ToUtf8(reason).c_str());
}

void ProgressReporter::Finish(int result, int pages, const std::vector<std::wstring>& written,
                              const std::vector<std::wstring>& notWritten) {
    ClearBar();
    if (quiet_ && result == engine::RESULT_OK) {
        return;
    }
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    // A PDF error that is a document's failed write is said as that.
    const bool unwritten = result == engine::RESULT_PDF_ERROR && !notWritten.empty();
    std::fprintf(out_, "%s: %d page%s, %d skipped, %.1f s\n",
                 unwritten ? "the PDF could not be written" : ResultText(result), pages,
                 pages == 1 ? "" : "s", skipped_, elapsed);
    for (const std::wstring& path : written) {
        std::fprintf(out_, "  -> %s\n", Shown(path).c_str());
    }
    for (const std::wstring& reason : notWritten) {
        std::fprintf(out_, "  not written: %s\n", platform::ToUtf8(reason).c_str());
    }
}

}  // namespace cli
