#pragma once

// Builds one PDF page from one image: page size, margins, down-scaling fit, watermarks and
// bookmark.

#include <string>

#include "pdfwriter/pdf_writer.h"
#include "run_state.h"

namespace engine {

// Adds the page for the image at path to the open document; number is the page's number for
// the text watermark. A missing or unusable image adds no page; a PDF writer error ends the
// page early. Each image that yields no complete page is told to the run's diagnostic sink,
// except when the document itself can no longer be written (a full disk, say): that is no
// fault of the image: run.writeFailure then says why and the result is false, so that the
// caller stops filling the document and reports its failure once. True otherwise.
bool PlaceImagePage(RunState& run, pdf::PdfWriter& writer, const std::wstring& path, int number);

}  // namespace engine
