#pragma once

// Builds one PDF page from one image: page size, margins, down-scaling fit, watermarks and
// bookmark.

#include <string>

#include "engine/conversion_job.h"
#include "pdfwriter/pdf_writer.h"

namespace engine {

struct PaperSize {
    const wchar_t* name;
    int width;  // points, portrait
    int height;
};

// Named paper sizes by PageSize; index 0 stands for "the page follows the image".
inline constexpr PaperSize kPageSizeTable[] = {
    {L"a0", 2380, 3368},   {L"a1", 1684, 2380},     {L"a2", 1190, 1684}, {L"a3", 842, 1190},
    {L"a4", 595, 842},     {L"a5", 421, 595},       {L"a6", 297, 421},   {L"b5", 501, 709},
    {L"letter", 612, 792}, {L"legal", 612, 1008},   {L"ledger", 1224, 792},
    {L"11x17", 792, 1224},
};

// Adds the page for the image at path to the open document; number is the page's number for
// the text watermark. A missing or unusable image adds no page; a PDF writer error ends the
// page early. Each image that yields no complete page is told to the job's diagnostic sink.
// Returns 0.
int PlaceImagePage(ConversionJob& job, pdf::PdfWriter& writer, const std::wstring& path,
                   int number);

}  // namespace engine
