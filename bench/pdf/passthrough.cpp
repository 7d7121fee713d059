// Writes one PDF with a page per JPEG file, each embedded unchanged at its natural size, and
// prints the page count and the peak resident memory.
//   pdf_passthrough_bench OUTPUT.pdf IMAGE.jpg...
// Exits 1 and names the failure when anything goes wrong.

#include <sys/resource.h>

#include <cstdio>

#include "pdfwriter/pdf_writer.h"
#include "platform/text.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.pdf IMAGE...\n", argv[0]);
        return 2;
    }
    try {
        pdf::PdfWriter writer;
        writer.begin_document(platform::FromUtf8(argv[1]), L"");
        for (int i = 2; i < argc; ++i) {
            const int image = writer.load_image(L"auto", platform::FromUtf8(argv[i]), L"");
            writer.begin_page_ext(0, 0, L"");
            writer.fit_image(image, 0, 0, L"adjustpage");
            writer.close_image(image);
            writer.end_page_ext(L"");
        }
        writer.end_document(L"");
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%d pages, peak resident memory %.1f MB\n", argc - 2, usage.ru_maxrss / 1024.0);
    } catch (const pdf::PdfError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
