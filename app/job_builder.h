#pragma once

// Everything the program does with the engine's ConversionJob lives here: building a job from
// the list's rows and running it on a worker thread. The rest of the program sees the job only
// as an opaque object handed from the conversion command to the progress dialog.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/conversion_job.h"

namespace app {

// What a conversion command decided.
struct JobOrder {
    int mode = 0;                     // MakeMultiPDF: 0 one PDF, 1 per image, 2 per folder
    std::wstring output;              // the PDF (mode 0) or the output folder (modes 1 and 2)
    std::vector<std::wstring> paths;  // the rows' full paths, in list order
    bool claimOutput = false;         // mode 0: write under the next free name from output
};

// A job for the order, with a snapshot of settings (copied under the job's lock). Paths whose
// file no longer exists or whose extension is not accepted are left out. Never null.
std::unique_ptr<engine::ConversionJob> BuildJob(const JobOrder& order,
                                                const engine::ConversionSettings& settings);

// An image that produced no page, and why.
struct SkippedImage {
    std::wstring path;
    std::wstring reason;
};

// Runs one job on a worker thread. progress is called on the worker for every engine report;
// it answers false to stop the run. done is called on the worker after Run has returned (the
// last thing the worker does with the job). The job must outlive the runner; the runner's
// destructor waits for the worker.
class JobRunner {
public:
    using Progress = std::function<bool(int total, int index, const std::wstring& path)>;
    using Done = std::function<void()>;

    JobRunner(engine::ConversionJob& job, Progress progress, Done done);
    ~JobRunner();
    JobRunner(const JobRunner&) = delete;
    JobRunner& operator=(const JobRunner&) = delete;

    // Hooks the callback and the diagnostic sink into the job (under its lock) and starts the
    // worker. Call once.
    void Start();

    // True once the worker has returned from Run (its done callback may still be running).
    bool Finished() const { return finished_; }

    // Waits for the worker. Any thread but the worker; safe to call more than once.
    void Join();

    // The output the job wrote to: the output folder for modes 1 and 2, else the PDF (the name
    // it claimed, when it claimed one). Reads
    // the job under its lock, so call it once the worker has finished.
    std::wstring OutputPath() const;
    bool IsMultiDocument() const;

    // After the worker has finished: the pages written and the images that gave none.
    int PagesPlaced() const;
    std::vector<SkippedImage> Skipped() const;

private:
    static int32_t OnProgress(int32_t total, int32_t index, const wchar_t* text, void* context);
    void Work();

    engine::ConversionJob& job_;
    Progress progress_;
    Done done_;
    std::thread worker_;
    std::atomic<bool> finished_{false};
    mutable std::mutex skippedLock_;
    std::vector<SkippedImage> skipped_;
};

}  // namespace app
