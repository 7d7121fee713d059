#include "page_builder.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "image_acquisition.h"
#include "path_names.h"
#include "platform/file_io.h"
#include "platform/text.h"
#include "watermarks.h"

namespace engine {
namespace {

void ReportSkip(ConversionJob& job, const std::wstring& path, const std::wstring& reason) {
    if (job.diagnosticSink) job.diagnosticSink(path, reason);
}

std::wstring Format(const char* pattern, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, values...);
    return platform::FromUtf8(text);
}

// The named paper size of the snapshot, or nullptr when the page follows the image.
const PaperSize* NamedPaper(const ConversionSettings& settings) {
    if (settings.PageSize < 1 || settings.PageSize >= static_cast<int>(std::size(kPageSizeTable))) {
        return nullptr;
    }
    return &kPageSizeTable[settings.PageSize];
}

void BeginPage(const ConversionSettings& settings, pdf::PdfWriter& writer) {
    const PaperSize* paper = NamedPaper(settings);
    if (!paper) {
        writer.begin_page_ext(0, 0, L"");
        return;
    }
    int width = paper->width;
    int height = paper->height;
    if (settings.DPI != 0) {
        width = width * settings.DPI / 72;
        height = height * settings.DPI / 72;
    }
    const std::wstring name = paper->name;
    const std::wstring options = settings.RotatePage
                                     ? L"height=" + name + L".width width=" + name + L".height"
                                     : L"height=" + name + L".height width=" + name + L".width";
    writer.begin_page_ext(width, height, options);
}

// Places the image at the upper left of the area inside the margins, shrunk to fit it.
void FitOnPage(const ConversionSettings& settings, pdf::PdfWriter& writer, int image) {
    const double left = settings.MearginLeft;
    const double top = settings.MearginTop;
    if (!NamedPaper(settings)) {
        writer.fit_image(image, left, top, L"adjustpage");
        return;
    }
    double width = writer.get_value(L"imagewidth", image);
    double height = writer.get_value(L"imageheight", image);
    const double pageHeight = writer.get_value(L"pageheight", 0);
    const double areaWidth = writer.get_value(L"pagewidth", 0) - 2 * left;
    const double areaHeight = pageHeight - 2 * top;
    if (height > areaHeight || width > areaWidth) {
        const double ratio = std::max(height / areaHeight, width / areaWidth);
        width /= ratio;
        height /= ratio;
    }
    const auto y = static_cast<int>(pageHeight - top - height);
    writer.fit_image(image, left, y,
                     Format("boxsize={%d %d} fitmethod=entire", static_cast<int>(width),
                            static_cast<int>(height)));
}

void BuildPage(ConversionJob& job, pdf::PdfWriter& writer, const std::wstring& path, int number) {
    const ConversionSettings& settings = job.settingsSnapshot;
    AcquiredImage image = AcquireImage(job, writer, path);
    if (image.handle == -1) {
        ReportSkip(job, path, image.failure.empty() ? L"not a readable image" : image.failure);
        return;
    }
    BeginPage(settings, writer);
    FitOnPage(settings, writer, image.handle);
    writer.close_image(image.handle);
    image.block.reset();
    DrawWatermarks(job, writer, path, number);
    if (settings.CreateBookmark) writer.create_bookmark(BookmarkTitle(path), L"");
    writer.end_page_ext(L"");
    ++job.pagesPlaced;
}

}  // namespace

int PlaceImagePage(ConversionJob& job, pdf::PdfWriter& writer, const std::wstring& path,
                   int number) {
    if (platform::KindOf(path) != platform::PathKind::kOther) {
        ReportSkip(job, path, L"file not found");
        return 0;
    }
    try {
        BuildPage(job, writer, path, number);
    } catch (const pdf::PdfError& error) {
        // The page stays unfinished; the writer drops it when the next page or the end of the
        // document comes.
        ReportSkip(job, path,
                   platform::FromUtf8("PDF error in " + error.operation() + " [" +
                                      std::to_string(error.number()) + "]: " + error.message()));
    }
    return 0;
}

}  // namespace engine
