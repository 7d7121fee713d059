#pragma once

// What folioforge-cli makes of a finished conversion: the documents its summary names, the
// pages in them, the result it shows and the exit status.

#include <string>
#include <vector>

#include "engine/conversion_job.h"

namespace cli {

struct RunOutcome {
    engine::RunResult shown = engine::RESULT_OK;  // the result the summary states
    int exitStatus = 0;                           // -shown
    std::vector<std::wstring> written;            // every document written, in run order
    std::vector<std::wstring> notWritten;         // why documents could not be created or written
    int pages = 0;                                // the pages in those documents
};

// Judges a run from the engine's result and the documents it opened. Skipped images do not
// count against a run that wrote at least one page (a document left without pages is such a
// skip); a run that wrote nothing, a document that failed otherwise, or an interruption gives
// a non-zero status.
RunOutcome JudgeRun(engine::RunResult result, bool interrupted,
                    const std::vector<engine::DocumentOutcome>& documents);

}  // namespace cli
