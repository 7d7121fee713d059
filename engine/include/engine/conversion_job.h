#pragma once

// One conversion: the ordered image paths, a snapshot of the settings, the output target and
// the progress callback. Filled by whoever decides a conversion, run once by the engine on a
// worker thread, watched through the callback.
//
// Threading: the members marked "under the job lock" may be called from any thread; Run holds
// that lock for the whole run, so they wait for a running conversion to end (the callbacks,
// which run on the engine's thread inside Run, may call them). The others are for the thread
// that prepares the job, before Run starts, and for reading results after it returns.

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "engine/conversion_settings.h"
#include "engine/result_codes.h"

namespace engine {

// Reports progress from the engine's thread. total is the number of image paths, index the
// number of images handled so far, text a path, context the one given with the callback.
// Answer 0 to go on, a negative value to stop.
using ProgressCallback = int32_t (*)(int32_t total, int32_t index, const wchar_t* text,
                                     void* context);

// Told about every image that produced no page, and once per document about a watermark image
// that cannot be loaded, with a reason a person can read. Called on the engine's thread; it
// must not call back into the job.
using DiagnosticSink = std::function<void(const std::wstring& path, const std::wstring& reason)>;

// One output document a run opened: its path (the name it was written under), how it ended
// (RESULT_OK: finished and written), the pages placed in it and, when it could not be created
// or written, why (with the system's reason); the reason is empty for a document that failed
// only because none of its images gave a page.
struct DocumentOutcome {
    std::wstring path;
    RunResult result = RESULT_OK;
    int32_t pages = 0;
    std::wstring reason;
    bool operator==(const DocumentOutcome&) const = default;
};

class ConversionJob {
public:
    // Appends an existing regular file that passes IsAcceptedImage (under the job lock).
    // Returns the new number of paths, or -1 (and changes nothing) when the file is missing or
    // not an accepted image.
    int32_t AddImagePath(const std::wstring& path);

    // Copies the path at index into path and returns 0; an empty path and -1 when index is not
    // below the number of paths (under the job lock).
    int32_t GetImagePath(size_t index, std::wstring& path);

    // The number of image paths (under the job lock).
    size_t ImageCount();

    // Single-document mode: the PDF to write (under the job lock).
    void SetOutputFile(const std::wstring& path);
    std::wstring GetOutputFile();

    // Single-document mode: whether the output file's name was chosen automatically. The run
    // then never replaces a file: it claims the first free of the output file, "name(1).pdf",
    // "name(2).pdf", ... at the moment the document is written, so that runs started together
    // write distinct files. Off by default. Set before the run.
    void SetClaimOutputFile(bool claim) { claimOutputFile_ = claim; }

    // The PDF or the output folder, for the caller's summary; Run writes into it in the
    // per-image and per-folder modes. Set before the run; read without the lock.
    void SetOutputLocation(const std::wstring& path) { outputLocation_ = path; }
    std::wstring GetOutputLocation() const { return outputLocation_; }

    // Copies the settings the run follows (under the job lock); defaults until then.
    void SetSettings(const ConversionSettings& settings);
    const ConversionSettings& Settings() const { return settings_; }

    // The callback told before every image, and its context (under the job lock); none by
    // default.
    void SetProgressCallback(ProgressCallback callback, void* context);

    // How many images the run prepares at once on worker threads; 0 (the default) means the
    // environment variable FOLIOFORGE_JOBS when set, else one per hardware thread. Set before
    // the run.
    void SetWorkerCount(unsigned count) { workerCount_ = count; }

    // Told about every image that produced no page; none by default. Set before the run.
    void SetDiagnosticSink(DiagnosticSink sink) { diagnosticSink_ = std::move(sink); }

    // Converts the images into PDF files as the settings' DocumentMode says (one document, one
    // per image, one per source folder), reporting through the progress callback before every
    // image. Holds the job lock for the whole run. Errors of the PDF writer and the imaging
    // library become results or skipped images; any other exception reaches the caller. Call
    // once, on a worker thread.
    RunResult Run();

    // Pages the run completed so far, for the caller's summary. Any thread.
    int32_t PagesPlaced() const { return pagesPlaced_; }

    // The documents the last run opened, in the order it finished or gave them up (a document
    // abandoned by a cancellation is not listed). Read after Run returns.
    const std::vector<DocumentOutcome>& Documents() const { return documents_; }

    // True when the text from the last dot of the file-name part, in lower case, is one of the
    // twelve accepted image extensions. The file is not looked at.
    static bool IsAcceptedImage(std::wstring_view path);

private:
    std::recursive_mutex lock_;
    std::vector<std::wstring> imagePaths_;
    ConversionSettings settings_;
    std::wstring outputFile_;
    std::wstring outputLocation_;
    bool claimOutputFile_ = false;
    ProgressCallback progressCallback_ = nullptr;
    void* progressContext_ = nullptr;
    DiagnosticSink diagnosticSink_;
    unsigned workerCount_ = 0;
    std::atomic<int32_t> pagesPlaced_ = 0;
    std::vector<DocumentOutcome> documents_;
};

}  // namespace engine
