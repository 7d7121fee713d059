#include "engine/page_room.h"

#include <cstdio>

#include "named_paper.h"
#include "platform/text.h"

namespace engine {

const pdf::PaperSize* NamedPaper(const ConversionSettings& settings) {
    const std::string_view name = PaperName(settings.GetPageFormat());
    return name.empty() ? nullptr : pdf::FindPaperSize(name);
}

std::wstring NoRoomReason(const ConversionSettings& settings) {
    const pdf::PaperSize* paper = NamedPaper(settings);
    if (!paper) {
        return L"";
    }
    const double pageWidth = settings.RotatePage ? paper->height : paper->width;
    const double pageHeight = settings.RotatePage ? paper->width : paper->height;
    const double left = settings.MearginLeft;
    const double top = settings.MearginTop;
    if (pageWidth - 2 * left >= 1 && pageHeight - 2 * top >= 1) {
        return L"";
    }
    char text[160];
    std::snprintf(text, sizeof text,
                  "margins of %g and %g points leave no room for the image on a page of %g x %g "
                  "points",
                  left, top, pageWidth, pageHeight);
    return platform::FromUtf8(text);
}

}  // namespace engine
