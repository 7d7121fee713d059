#include "job_builder.h"

namespace app {

std::unique_ptr<engine::ConversionJob> BuildJob(const JobOrder& order,
                                                const engine::ConversionSettings& settings) {
    auto job = std::make_unique<engine::ConversionJob>();
    job->SetOutputLocation(order.output);
    if (order.mode == 0) {
        job->SetOutputFile(order.output);
        job->SetClaimOutputFile(order.claimOutput);
    }
    for (const std::wstring& path : order.paths) {
        job->AddImagePath(path);
    }
    engine::ConversionSettings snapshot = settings;
    snapshot.MakeMultiPDF = order.mode;
    job->SetSettings(snapshot);
    return job;
}

JobRunner::JobRunner(engine::ConversionJob& job, Progress progress, Done done)
    : job_(job), progress_(std::move(progress)), done_(std::move(done)) {}

JobRunner::~JobRunner() {
    Join();
}

void JobRunner::Start() {
    job_.SetProgressCallback(&JobRunner::OnProgress, this);
    job_.SetDiagnosticSink([this](const std::wstring& path, const std::wstring& reason) {
        std::lock_guard skippedGuard(skippedLock_);
        skipped_.push_back({path, reason});
    });
    worker_ = std::thread(&JobRunner::Work, this);
}

void JobRunner::Work() {
    job_.Run();
    finished_ = true;
    if (done_) {
        done_();
    }
}

void JobRunner::Join() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

int32_t JobRunner::OnProgress(int32_t total, int32_t index, const wchar_t* text, void* context) {
    auto* runner = static_cast<JobRunner*>(context);
    const bool goOn = runner->progress_(total, index, text ? text : L"");
    return goOn ? 0 : -1;
}

bool JobRunner::IsMultiDocument() const {
    return job_.Settings().MakeMultiPDF != 0;
}

std::wstring JobRunner::OutputPath() const {
    if (IsMultiDocument()) {
        return job_.GetOutputLocation();
    }
    const std::vector<engine::DocumentOutcome>& documents = job_.Documents();
    return documents.empty() ? job_.GetOutputFile() : documents.front().path;
}

int JobRunner::PagesPlaced() const {
    return job_.PagesPlaced();
}

std::vector<SkippedImage> JobRunner::Skipped() const {
    std::lock_guard guard(skippedLock_);
    return skipped_;
}

}  // namespace app
