// libFuzzer target for the PDF writer's image path: an image file loaded as the conversion
// loads a kept image (pass-through of JPEG, PNG and fax TIFF data after their checks, decoding
// for the rest), placed on a page and written out. Whatever the bytes, the writer must answer
// with an error or a document, never a crash.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "imaging/image.h"
#include "pdfwriter/pdf_writer.h"

namespace {

const std::wstring kImage = L"/pvf/fuzz";

std::wstring OutputPath() {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("passthrough-fuzz-" + std::to_string(getpid()));
    return path.wstring();
}

void WriteOnePage(const uint8_t* data, size_t size, const std::wstring& output) {
    pdf::PdfWriter writer;
    writer.set_parameter(L"errorpolicy", L"return");
    if (writer.begin_document(output, L"") == -1) {
        return;
    }
    writer.create_pvf(kImage, data, size, L"");
    const int image = writer.load_image(L"auto", kImage, L"");
    if (image == -1) {
        return;  // the unfinished document is dropped with the writer
    }
    writer.begin_page_ext(0, 0, L"");
    writer.fit_image(image, 0, 0, L"adjustpage");
    writer.end_page_ext(L"");
    writer.end_document(L"");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    imaging::Image::SetMaxPixels(1 << 22);
    static const std::wstring output = OutputPath();
    try {
        WriteOnePage(data, size, output);
    } catch (const pdf::PdfError&) {
        // A refused image or page is an answer, not a fault.
    }
    std::filesystem::remove(std::filesystem::path(output));
    return 0;
}
