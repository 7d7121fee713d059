#pragma once

// What one run of a conversion job works with: the job's inputs, which the run reads under the
// job's lock, and the state it keeps from page to page. Made by ConversionJob::Run and handed
// to every step of the run; it lives no longer than the run.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/conversion_job.h"

namespace engine {

class EncodePipeline;

struct RunState {
    const ConversionSettings& settings;
    const std::vector<std::wstring>& paths;  // the job's list: callbacks may add to it
    const ProgressCallback& progressCallback;
    void* const& progressContext;
    const DiagnosticSink& diagnosticSink;
    std::atomic<int32_t>& pagesPlaced;
    std::vector<DocumentOutcome>& documents;  // how each document opened so far ended
    std::wstring outputFile;                  // single-document mode
    bool claimOutputFile;                     // outputFile is a first choice, never replaced
    std::wstring outputLocation;              // the output folder of the other modes
    int32_t watermarkImage = -1;              // the watermark image in the open document
    bool watermarkImageFailed = false;        // it could not be loaded into the open document
    std::wstring writeFailure{};              // why the open document can no longer be written
    unsigned workers = 0;                     // pipeline threads asked for; 0: the default
    EncodePipeline* pipeline = nullptr;       // images being prepared ahead of the pages

    // A copy of the path at index, which must be below paths.size() (the list only grows).
    std::wstring PathAt(size_t index) const;

    // Calls the progress callback; without one the answer is 0 (go on).
    int32_t Report(size_t total, size_t index, const std::wstring& text) const;

    // Tells the diagnostic sink, when there is one, that an image produced no page (or that the
    // watermark image cannot be loaded).
    void ReportSkip(const std::wstring& path, const std::wstring& reason) const;
};

}  // namespace engine
