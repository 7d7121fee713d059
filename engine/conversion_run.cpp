// The conversion run: one document for all images, one per image, or one per source folder.

#include <algorithm>
#include <map>
#include <memory>

#include "engine/conversion_job.h"
#include "encode_ahead.h"
#include "output_naming.h"
#include "page_builder.h"
#include "path_names.h"
#include "pdfwriter/pdf_writer.h"
#include "platform/text.h"

namespace engine {
namespace {

using Writer = std::unique_ptr<pdf::PdfWriter>;

// Calls the progress callback; without one the answer is 0 (go on).
int32_t Report(ConversionJob& job, size_t total, size_t index, const std::wstring& text) {
    std::lock_guard guard(job.jobLock);
    if (!job.progressCallback) return 0;
    return job.progressCallback(static_cast<int32_t>(total), static_cast<int32_t>(index),
                                text.c_str(), job.progressContext);
}

int32_t OpenDocument(ConversionJob& job, pdf::PdfWriter& writer, const std::wstring& path) {
    const ConversionSettings& settings = job.settingsSnapshot;
    job.watermarkImageHandle = -1;
    try {
        writer.set_parameter(L"errorpolicy", L"return");
        writer.set_parameter(L"hypertextencoding", L"");
        if (writer.begin_document(path, L"") == -1) return RESULT_OPEN_FAILED;
    } catch (const pdf::PdfError&) {
        return RESULT_PDF_ERROR;
    }
    try {
        const std::pair<const wchar_t*, const std::wstring*> fields[] = {
            {L"Title", &settings.PDFTitle},   {L"Subject", &settings.PDFSubject},
            {L"Creator", &settings.PDFCreator}, {L"Author", &settings.PDFAuthor},
            {L"Keywords", &settings.PDFKeywords},
        };
        for (const auto& [key, value] : fields) {
            if (!value->empty()) writer.set_info(key, *value);
        }
    } catch (const pdf::PdfError&) {
        return RESULT_INFO_FAILED;
    }
    return RESULT_OK;
}

int32_t FinishDocument(pdf::PdfWriter& writer) {
    try {
        writer.end_document(L"");
        return RESULT_OK;
    } catch (const pdf::PdfError&) {
        return RESULT_PDF_ERROR;
    }
}

// The result that ends a run before it starts: no output target, or no images.
int32_t MissingInput(const std::wstring& target, size_t total) {
    if (target.empty()) return RESULT_NO_OUTPUT;
    return total == 0 ? RESULT_NO_IMAGES : RESULT_OK;
}

int32_t RunSingle(ConversionJob& job) {
    std::lock_guard guard(job.jobLock);
    const std::wstring out = job.GetOutputFile();
    const size_t total = job.imagePaths.size();
    if (const int32_t missing = MissingInput(out, total)) return missing;
    auto writer = std::make_unique<pdf::PdfWriter>();
    int32_t result = OpenDocument(job, *writer, out);
    if (result != RESULT_OK) return result;
    ScopedEncodeAhead ahead(job, job.imagePaths);
    bool attempted = false;
    std::wstring path;
    for (size_t i = 0; i < total; ++i) {
        if (job.GetImagePath(i, path) != 0) continue;
        if (Report(job, total, i, path) < 0) {
            result = RESULT_CANCELLED;
            break;
        }
        PlaceImagePage(job, *writer, path, static_cast<int>(i + 1));
        attempted = true;
    }
    Report(job, total, total, path);
    if (attempted) result = FinishDocument(*writer);
    return result;
}

int32_t RunPerImage(ConversionJob& job) {
    std::lock_guard guard(job.jobLock);
    const std::wstring folder = job.GetOutputLocation();
    const size_t total = job.imagePaths.size();
    if (const int32_t missing = MissingInput(folder, total)) return missing;
    int32_t result = RESULT_OK;
    ScopedEncodeAhead ahead(job, job.imagePaths);
    for (size_t i = 0; i < total; ++i) {
        std::wstring path;
        if (job.GetImagePath(i, path) != 0) continue;
        auto writer = std::make_unique<pdf::PdfWriter>();
        const std::wstring out = OutputNameFor(job, path, std::wstring(FileNamePart(path)), folder);
        result = OpenDocument(job, *writer, out);
        if (result != RESULT_OK) continue;
        if (Report(job, total, i, path) < 0) {
            result = RESULT_CANCELLED;  // the document just begun is abandoned with its writer
            break;
        }
        PlaceImagePage(job, *writer, path, static_cast<int>(i + 1));
        result = FinishDocument(*writer);
    }
    Report(job, total, total, folder);
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
std::vector<FolderGroup> GroupByFolder(ConversionJob& job) {
    std::map<std::pair<std::wstring, std::wstring>, FolderGroup> groups;
    std::wstring path;
    for (size_t i = 0; job.GetImagePath(i, path) == 0; ++i) {
        const std::wstring folder(FolderPart(path));
        FolderGroup& group = groups[{platform::ToFolded(folder), folder}];
        group.folder = folder;
        group.paths.push_back(path);
    }
    std::vector<FolderGroup> ordered;
    for (auto& [key, group] : groups) ordered.push_back(std::move(group));
    return ordered;
}

// Writes one folder's document; returns false when the run must stop (cancelled).
bool ConvertFolder(ConversionJob& job, const FolderGroup& group, const std::wstring& outputFolder,
                   size_t total, size_t& count, int32_t& result) {
    auto writer = std::make_unique<pdf::PdfWriter>();
    const std::wstring name = platform::ToFolded(FileNamePart(group.folder));
    const std::wstring out = OutputNameFor(job, group.folder, name, outputFolder);
    result = OpenDocument(job, *writer, out);
    if (result != RESULT_OK) return true;
    int page = 1;
    for (const std::wstring& path : group.paths) {
        if (Report(job, total, count++, path) < 0) {
            result = RESULT_CANCELLED;
            break;
        }
        PlaceImagePage(job, *writer, path, page++);
    }
    FinishDocument(*writer);
    if (Report(job, total, count, out) < 0) result = RESULT_CANCELLED;
    return result != RESULT_CANCELLED;
}

int32_t RunPerFolder(ConversionJob& job) {
    std::lock_guard guard(job.jobLock);
    const std::wstring folder = job.GetOutputLocation();
    const size_t total = job.imagePaths.size();
    if (const int32_t missing = MissingInput(folder, total)) return missing;
    int32_t result = RESULT_OK;
    size_t count = 0;
    const std::vector<FolderGroup> groups = GroupByFolder(job);
    std::vector<std::wstring> pageOrder;
    for (const FolderGroup& group : groups) {
        pageOrder.insert(pageOrder.end(), group.paths.begin(), group.paths.end());
    }
    ScopedEncodeAhead ahead(job, std::move(pageOrder));
    for (const FolderGroup& group : groups) {
        if (!ConvertFolder(job, group, folder, total, count, result)) break;
    }
    return result;
}

}  // namespace

int32_t ConversionJob::Run() {
    try {
        switch (settingsSnapshot.MakeMultiPDF) {
            case 0: return RunSingle(*this);
            case 1: return RunPerImage(*this);
            case 2: return RunPerFolder(*this);
            default: return RESULT_OK;
        }
    } catch (...) {
        return RESULT_PDF_ERROR;
    }
}

}  // namespace engine
