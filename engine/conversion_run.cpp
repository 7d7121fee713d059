// The conversion run: one document for all images, one per image, or one per source folder.

#include <map>
#include <memory>

#include "encode_pipeline.h"
#include "engine/conversion_job.h"
#include "output_naming.h"
#include "page_builder.h"
#include "path_names.h"
#include "pdfwriter/pdf_writer.h"
#include "platform/text.h"
#include "run_state.h"

namespace engine {
namespace {

// Begins the document at path; on failure reason receives why.
RunResult SetUpDocument(pdf::PdfWriter& writer, const OutputChoice& output, std::wstring& reason) {
    try {
        writer.set_parameter(L"errorpolicy", L"return");
        writer.set_parameter(L"hypertextencoding", L"");
        if (writer.begin_document(output.path, output.claim ? L"uniquename" : L"") == -1) {
            reason = writer.get_errmsg();
            return RESULT_OPEN_FAILED;
        }
        return RESULT_OK;
    } catch (const pdf::PdfError& error) {
        reason = platform::FromUtf8(error.message());
        return RESULT_PDF_ERROR;
    }
}

RunResult WriteDocumentInfo(pdf::PdfWriter& writer, const ConversionSettings& settings) {
    const std::pair<const wchar_t*, const std::wstring*> fields[] = {
        {L"Title", &settings.PDFTitle},       {L"Subject", &settings.PDFSubject},
        {L"Creator", &settings.PDFCreator},   {L"Author", &settings.PDFAuthor},
        {L"Keywords", &settings.PDFKeywords},
    };
    try {
        for (const auto& [key, value] : fields) {
            if (!value->empty()) {
                writer.set_info(key, *value);
            }
        }
        return RESULT_OK;
    } catch (const pdf::PdfError&) {
        return RESULT_INFO_FAILED;
    }
}

// Opens the document; a failure is recorded among the run's documents with its reason.
RunResult OpenDocument(RunState& run, pdf::PdfWriter& writer, const OutputChoice& output) {
    run.watermarkImage = -1;
    run.watermarkImageFailed = false;
    run.writeFailure.clear();
    std::wstring reason;
    RunResult result = SetUpDocument(writer, output, reason);
    if (result == RESULT_OK) {
        result = WriteDocumentInfo(writer, run.settings);
    }
    if (result != RESULT_OK) {
        run.documents.push_back({output.path, result, 0, reason});
    }
    return result;
}

// Finishes the document opened as output when the run had placed pagesAtOpen pages, and
// records how it ended, under the name it was written to, with the reason when it could not
// be written. A document without pages cannot be finished: RESULT_PDF_ERROR, nothing written.
RunResult FinishDocument(RunState& run, pdf::PdfWriter& writer, const OutputChoice& output,
                         int32_t pagesAtOpen) {
    DocumentOutcome outcome{output.path, RESULT_OK, run.pagesPlaced - pagesAtOpen, {}};
    try {
        writer.end_document(L"");
        outcome.path = writer.written_path();
    } catch (const pdf::PdfError& error) {
        outcome.result = RESULT_PDF_ERROR;
        if (!run.writeFailure.empty()) {
            outcome.reason = run.writeFailure;
        } else if (error.number() == pdf::kErrorFile) {
            outcome.reason = platform::FromUtf8(error.message());
        }
    }
    run.documents.push_back(outcome);
    return outcome.result;
}

// The result that ends a run before it starts: no output target, or no images.
RunResult MissingInput(const std::wstring& target, size_t total) {
    if (target.empty()) {
        return RESULT_NO_OUTPUT;
    }
    return total == 0 ? RESULT_NO_IMAGES : RESULT_OK;
}

RunResult RunSingle(RunState& run) {
    const size_t total = run.paths.size();
    if (const RunResult missing = MissingInput(run.outputFile, total)) {
        return missing;
    }
    auto writer = std::make_unique<pdf::PdfWriter>();
    const int32_t pagesAtOpen = run.pagesPlaced;
    const OutputChoice output{run.outputFile, run.claimOutputFile};
    RunResult result = OpenDocument(run, *writer, output);
    if (result != RESULT_OK) {
        return result;
    }
    ScopedEncodePipeline pipeline(run, run.paths);
    bool attempted = false;
    std::wstring path;
    for (size_t i = 0; i < total; ++i) {
        path = run.PathAt(i);
        if (run.Report(total, i, path) < 0) {
            result = RESULT_CANCELLED;
            break;
        }
        attempted = true;
        if (!PlaceImagePage(run, *writer, path, static_cast<int>(i + 1))) {
            break;  // the document cannot be written any more: said once, when finishing it
        }
    }
    run.Report(total, total, path);
    if (attempted) {
        result = FinishDocument(run, *writer, output, pagesAtOpen);
    }
    return result;
}

// One image's document: its page placed and finished. An image whose document cannot be
// created or written is told to the diagnostic sink with the reason, as it gets no page.
RunResult ConvertImage(RunState& run, size_t total, size_t index) {
    const std::wstring path = run.PathAt(index);
    auto writer = std::make_unique<pdf::PdfWriter>();
    const std::wstring name(FileNamePart(path));
    const OutputChoice output = FirstOutputChoice(run.settings, path, name, run.outputLocation);
    const int32_t pagesAtOpen = run.pagesPlaced;
    RunResult result = OpenDocument(run, *writer, output);
    if (result == RESULT_OK) {
        if (run.Report(total, index, path) < 0) {
            return RESULT_CANCELLED;  // the document just begun is abandoned with its writer
        }
        PlaceImagePage(run, *writer, path, static_cast<int>(index + 1));
        result = FinishDocument(run, *writer, output, pagesAtOpen);
    }
    if (const std::wstring& reason = run.documents.back().reason;
        result != RESULT_OK && !reason.empty()) {
        run.ReportSkip(path, L"its PDF cannot be written: " + reason);
    }
    return result;
}

RunResult RunPerImage(RunState& run) {
    const std::wstring& folder = run.outputLocation;
    const size_t total = run.paths.size();
    if (const RunResult missing = MissingInput(folder, total)) {
        return missing;
    }
    RunResult result = RESULT_OK;
    ScopedEncodePipeline pipeline(run, run.paths);
    for (size_t i = 0; i < total && result != RESULT_CANCELLED; ++i) {
        result = ConvertImage(run, total, i);
    }
    run.Report(total, total, folder);
    return result;
}

// A source folder and its images in list order.
struct FolderGroup {
    std::wstring folder;
    std::vector<std::wstring> paths;
};

// Groups the paths by the folder that holds them; groups are ordered by the folder path in
// lower case, and folders differing only in case stay apart because paths here are
// case-sensitive.
std::vector<FolderGroup> GroupByFolder(const RunState& run) {
    std::map<std::pair<std::wstring, std::wstring>, FolderGroup> groups;
    for (size_t i = 0; i < run.paths.size(); ++i) {
        const std::wstring path = run.PathAt(i);
        const std::wstring folder(FolderPart(path));
        FolderGroup& group = groups[{platform::ToFolded(folder), folder}];
        group.folder = folder;
        group.paths.push_back(path);
    }
    std::vector<FolderGroup> ordered;
    for (auto& [key, group] : groups) {
        ordered.push_back(std::move(group));
    }
    return ordered;
}

// The outcome of one folder's document: its result (of opening or finishing it), the number of
// images reported so far and whether the run goes on.
struct FolderOutcome {
    RunResult result = RESULT_OK;
    size_t done = 0;
    bool goOn = true;
};

// Writes one folder's document, finished with the pages placed so far even when the run is
// cancelled in it. done: the images reported before this folder.
FolderOutcome ConvertFolder(RunState& run, const FolderGroup& group, size_t total, size_t done) {
    auto writer = std::make_unique<pdf::PdfWriter>();
    const std::wstring name = platform::ToFolded(FileNamePart(group.folder));
    const OutputChoice output =
        FirstOutputChoice(run.settings, group.folder, name, run.outputLocation);
    const int32_t pagesAtOpen = run.pagesPlaced;
    const RunResult opened = OpenDocument(run, *writer, output);
    if (opened != RESULT_OK) {
        return {opened, done, true};
    }
    const size_t doneBefore = done;
    bool cancelled = false;
    int page = 1;
    for (const std::wstring& path : group.paths) {
        if (run.Report(total, done++, path) < 0) {
            cancelled = true;
            break;
        }
        if (!PlaceImagePage(run, *writer, path, page++)) {
            done = doneBefore + group.paths.size();  // the rest cannot go into this document
            break;
        }
    }
    const RunResult finished = FinishDocument(run, *writer, output, pagesAtOpen);
    if (run.Report(total, done, run.documents.back().path) < 0) {
        cancelled = true;
    }
    return {cancelled ? RESULT_CANCELLED : finished, done, !cancelled};
}

RunResult RunPerFolder(RunState& run) {
    const size_t total = run.paths.size();
    if (const RunResult missing = MissingInput(run.outputLocation, total)) {
        return missing;
    }
    const std::vector<FolderGroup> groups = GroupByFolder(run);
    std::vector<std::wstring> pageOrder;
    for (const FolderGroup& group : groups) {
        pageOrder.insert(pageOrder.end(), group.paths.begin(), group.paths.end());
    }
    ScopedEncodePipeline pipeline(run, std::move(pageOrder));
    // The run's result is the first folder's failure, or the cancellation that ended it.
    RunResult result = RESULT_OK;
    FolderOutcome outcome;
    for (const FolderGroup& group : groups) {
        outcome = ConvertFolder(run, group, total, outcome.done);
        if (result == RESULT_OK || outcome.result == RESULT_CANCELLED) {
            result = outcome.result;
        }
        if (!outcome.goOn) {
            break;
        }
    }
    return result;
}

RunResult RunInMode(RunState& run) {
    switch (run.settings.GetDocumentMode()) {
        case DocumentMode::kSingle:
            return RunSingle(run);
        case DocumentMode::kPerImage:
            return RunPerImage(run);
        case DocumentMode::kPerFolder:
            return RunPerFolder(run);
    }
    return RESULT_OK;  // a stored mode outside the list does nothing
}

}  // namespace

std::wstring RunState::PathAt(size_t index) const {
    return paths[index];
}

int32_t RunState::Report(size_t total, size_t index, const std::wstring& text) const {
    if (!progressCallback) {
        return 0;
    }
    return progressCallback(static_cast<int32_t>(total), static_cast<int32_t>(index), text.c_str(),
                            progressContext);
}

void RunState::ReportSkip(const std::wstring& path, const std::wstring& reason) const {
    if (diagnosticSink) {
        diagnosticSink(path, reason);
    }
}

RunResult ConversionJob::Run() {
    std::lock_guard guard(lock_);
    documents_.clear();
    RunState run{.settings = settings_,
                 .paths = imagePaths_,
                 .progressCallback = progressCallback_,
                 .progressContext = progressContext_,
                 .diagnosticSink = diagnosticSink_,
                 .pagesPlaced = pagesPlaced_,
                 .documents = documents_,
                 .outputFile = outputFile_,
                 .claimOutputFile = claimOutputFile_,
                 .outputLocation = outputLocation_,
                 .workers = workerCount_};
    try {
        return RunInMode(run);
    } catch (const pdf::PdfError&) {
        return RESULT_PDF_ERROR;  // imaging reports through return values and never throws
    }
}

}  // namespace engine
