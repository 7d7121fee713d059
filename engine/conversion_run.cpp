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

RunResult SetUpDocument(pdf::PdfWriter& writer, const std::wstring& path) {
    try {
        writer.set_parameter(L"errorpolicy", L"return");
        writer.set_parameter(L"hypertextencoding", L"");
        return writer.begin_document(path, L"") == -1 ? RESULT_OPEN_FAILED : RESULT_OK;
    } catch (const pdf::PdfError&) {
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

// Opens the document at path; a failure is recorded among the run's documents.
RunResult OpenDocument(RunState& run, pdf::PdfWriter& writer, const std::wstring& path) {
    run.watermarkImage = -1;
    run.watermarkImageFailed = false;
    RunResult result = SetUpDocument(writer, path);
    if (result == RESULT_OK) {
        result = WriteDocumentInfo(writer, run.settings);
    }
    if (result != RESULT_OK) {
        run.documents.push_back({path, result, 0});
    }
    return result;
}

// Finishes the document opened at path when the run had placed pagesAtOpen pages, and records
// how it ended. A document without pages cannot be finished: RESULT_PDF_ERROR, nothing written.
RunResult FinishDocument(RunState& run, pdf::PdfWriter& writer, const std::wstring& path,
                         int32_t pagesAtOpen) {
    RunResult result = RESULT_OK;
    try {
        writer.end_document(L"");
    } catch (const pdf::PdfError&) {
        result = RESULT_PDF_ERROR;
    }
    run.documents.push_back({path, result, run.pagesPlaced - pagesAtOpen});
    return result;
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
    RunResult result = OpenDocument(run, *writer, run.outputFile);
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
        PlaceImagePage(run, *writer, path, static_cast<int>(i + 1));
        attempted = true;
    }
    run.Report(total, total, path);
    if (attempted) {
        result = FinishDocument(run, *writer, run.outputFile, pagesAtOpen);
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
    for (size_t i = 0; i < total; ++i) {
        const std::wstring path = run.PathAt(i);
        auto writer = std::make_unique<pdf::PdfWriter>();
        const std::wstring name(FileNamePart(path));
        const std::wstring out = OutputNameFor(run.settings, path, name, folder);
        const int32_t pagesAtOpen = run.pagesPlaced;
        result = OpenDocument(run, *writer, out);
        if (result != RESULT_OK) {
            continue;
        }
        if (run.Report(total, i, path) < 0) {
            result = RESULT_CANCELLED;  // the document just begun is abandoned with its writer
            break;
        }
        PlaceImagePage(run, *writer, path, static_cast<int>(i + 1));
        result = FinishDocument(run, *writer, out, pagesAtOpen);
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
    const std::wstring out = OutputNameFor(run.settings, group.folder, name, run.outputLocation);
    const int32_t pagesAtOpen = run.pagesPlaced;
    const RunResult opened = OpenDocument(run, *writer, out);
    if (opened != RESULT_OK) {
        return {opened, done, true};
    }
    bool cancelled = false;
    int page = 1;
    for (const std::wstring& path : group.paths) {
        if (run.Report(total, done++, path) < 0) {
            cancelled = true;
            break;
        }
        PlaceImagePage(run, *writer, path, page++);
    }
    const RunResult finished = FinishDocument(run, *writer, out, pagesAtOpen);
    if (run.Report(total, done, out) < 0) {
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
    RunState run{settings_,    imagePaths_, progressCallback_, progressContext_, diagnosticSink_,
                 pagesPlaced_, documents_,  outputFile_,       outputLocation_,  -1,
                 false,        workerCount_};
    try {
        return RunInMode(run);
    } catch (const pdf::PdfError&) {
        return RESULT_PDF_ERROR;  // imaging reports through return values and never throws
    }
}

}  // namespace engine
