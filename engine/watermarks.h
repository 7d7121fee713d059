#pragma once

// The image and text watermarks drawn over every page, image first.

#include <string>

#include "pdfwriter/pdf_writer.h"
#include "run_state.h"

namespace engine {

// The watermark image of the open document, loaded once per document (the file unchanged);
// -1 when there is none or it cannot be loaded. A failure to load is told to the run's
// diagnostic sink with the watermark's path, once per document, and not tried again in it.
int AcquireWatermarkImage(RunState& run, pdf::PdfWriter& writer);

// Fills "%FileName%" (the file's name without its extension), "%Number%" and "%MDate%" (the
// file's modification date, local time, YYYY/MM/DD). A field whose value is unknown stays as
// written; matching is case-sensitive.
std::wstring ExpandWatermarkText(const std::wstring& text, const std::wstring& path, int number);

// Draws the image watermark (with its opacity, which stays in force for the rest of the page)
// and then the text watermark onto the open page. PDF writer errors propagate.
void DrawWatermarks(RunState& run, pdf::PdfWriter& writer, const std::wstring& path, int number);

}  // namespace engine
