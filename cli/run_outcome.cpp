#include "run_outcome.h"

namespace cli {
namespace {

// A document that failed for another reason than that none of its images gave a page.
bool FailedOnItsOwn(const engine::DocumentOutcome& document) {
    const bool empty = document.result == engine::RESULT_PDF_ERROR && document.pages == 0;
    return document.result != engine::RESULT_OK && !empty;
}

engine::RunResult ShownResult(engine::RunResult result, bool interrupted,
                              const std::vector<engine::DocumentOutcome>& documents,
                              bool anyWritten) {
    if (interrupted) {
        return engine::RESULT_CANCELLED;
    }
    for (const engine::DocumentOutcome& document : documents) {
        if (FailedOnItsOwn(document)) {
            return document.result;
        }
    }
    if (anyWritten) {
        return engine::RESULT_OK;
    }
    return result != engine::RESULT_OK ? result : engine::RESULT_PDF_ERROR;
}

}  // namespace

RunOutcome JudgeRun(engine::RunResult result, bool interrupted,
                    const std::vector<engine::DocumentOutcome>& documents) {
    RunOutcome outcome;
    for (const engine::DocumentOutcome& document : documents) {
        if (document.result == engine::RESULT_OK) {
            outcome.written.push_back(document.path);
            outcome.pages += document.pages;
        } else if (!document.reason.empty()) {
            outcome.notWritten.push_back(document.reason);
        }
    }
    outcome.shown = ShownResult(result, interrupted, documents, !outcome.written.empty());
    outcome.exitStatus = -outcome.shown;
    return outcome;
}

}  // namespace cli
