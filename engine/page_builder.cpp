#include "page_builder.h"

#include <algorithm>
#include <cstdio>

#include "engine/page_room.h"
#include "followed_page.h"
#include "image_acquisition.h"
#include "named_paper.h"
#include "path_names.h"
#include "platform/file_io.h"
#include "platform/text.h"
#include "watermarks.h"

namespace engine {
namespace {

std::wstring Format(const char* pattern, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, values...);
    return platform::FromUtf8(text);
}

// Begins a page of the named paper. Named paper has its size in points whatever the DPI
// setting, which only gives re-encoded images their resolution (and so their size on the page).
void BeginPaperPage(const ConversionSettings& settings, pdf::PdfWriter& writer,
                    const pdf::PaperSize& paper) {
    if (settings.RotatePage) {
        writer.begin_page_ext(paper.height, paper.width, L"");
    } else {
        writer.begin_page_ext(paper.width, paper.height, L"");
    }
}

// A page that follows the image has it at its natural size at the margins, the page adjusted
// to it; an image too large for the largest page is drawn scaled down instead, and an image on
// a page grown to the smallest stays at the lower left margins.
void PlaceOnFollowedPage(const ConversionSettings& settings, pdf::PdfWriter& writer, int image) {
    const double left = settings.MearginLeft;
    const double top = settings.MearginTop;
    const FollowedPage page = PageFollowingImage(
        writer.get_value(L"imagewidth", image), writer.get_value(L"imageheight", image), left, top);
    if (page.natural) {
        writer.begin_page_ext(0, 0, L"");
        writer.fit_image(image, left, top, L"adjustpage");
        return;
    }
    writer.begin_page_ext(page.width, page.height, L"");
    writer.fit_image(
        image, left, top,
        Format("boxsize={%.3f %.3f} fitmethod=entire", page.imageWidth, page.imageHeight));
}

// Places the image at the upper left of the area inside the margins (which NoRoomReason has
// found to be at least a point each way), shrunk to fit it.
void FitOnPaper(const ConversionSettings& settings, pdf::PdfWriter& writer, int image) {
    const double left = settings.MearginLeft;
    const double top = settings.MearginTop;
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
    // A very thin image still gets a box of a point each way rather than none.
    const int boxWidth = std::max(1, static_cast<int>(width));
    const int boxHeight = std::max(1, static_cast<int>(height));
    const auto y = static_cast<int>(pageHeight - top - boxHeight);
    writer.fit_image(image, left, y,
                     Format("boxsize={%d %d} fitmethod=entire", boxWidth, boxHeight));
}

void BuildPage(RunState& run, pdf::PdfWriter& writer, const std::wstring& path, int number) {
    const ConversionSettings& settings = run.settings;
    if (const std::wstring noRoom = NoRoomReason(settings); !noRoom.empty()) {
        run.ReportSkip(path, noRoom);
        return;
    }
    AcquiredImage image = AcquireImage(run, writer, path);
    if (image.handle == -1) {
        run.ReportSkip(path, image.failure.empty() ? L"not a readable image" : image.failure);
        return;
    }
    if (const pdf::PaperSize* paper = NamedPaper(settings)) {
        BeginPaperPage(settings, writer, *paper);
        FitOnPaper(settings, writer, image.handle);
    } else {
        PlaceOnFollowedPage(settings, writer, image.handle);
    }
    writer.close_image(image.handle);
    image.block.reset();
    DrawWatermarks(run, writer, path, number);
    if (settings.CreateBookmark) {
        writer.create_bookmark(BookmarkTitle(path), L"");
    }
    writer.end_page_ext(L"");
    ++run.pagesPlaced;
}

}  // namespace

bool PlaceImagePage(RunState& run, pdf::PdfWriter& writer, const std::wstring& path, int number) {
    if (platform::KindOf(path) != platform::PathKind::kOther) {
        run.ReportSkip(path, L"file not found");
        return true;
    }
    try {
        BuildPage(run, writer, path, number);
    } catch (const pdf::PdfError& error) {
        if (error.number() == pdf::kErrorFile) {
            run.writeFailure = platform::FromUtf8(error.message());
            return false;
        }
        // The page stays unfinished; the writer drops it when the next page or the end of the
        // document comes.
        run.ReportSkip(
            path, platform::FromUtf8("PDF error in " + error.operation() + " [" +
                                     std::to_string(error.number()) + "]: " + error.message()));
    }
    return true;
}

}  // namespace engine
