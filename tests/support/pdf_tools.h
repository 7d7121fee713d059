#pragma once

// Looks at written PDF files through the command-line tools of qpdf and poppler.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

struct ToolResult {
    int status = -1;
    std::string output;  // standard output
};

// Runs a shell command; standard error is discarded, or captured with standard output.
ToolResult RunTool(const std::string& command, bool captureErrors = false);

// The path in single quotes for the shell.
std::string Quoted(const std::filesystem::path& path);

// Exit status of "qpdf --check".
int QpdfCheck(const std::filesystem::path& pdf);

// Runs "qpdf --check" on every PDF document under folder (a file named *.pdf that starts with
// "%PDF-"; placeholders a test wrote itself are left out), for the teardown of fixtures whose
// tests write PDF files. Each one that does not pass (exit status 0) fails the test with its
// path, qpdf's exit status and its report.
void ExpectEveryPdfPassesQpdf(const std::filesystem::path& folder);

// Page sizes in points as pdfinfo reports them.
struct PageSize {
    double width = 0;
    double height = 0;
};
std::vector<PageSize> PageSizes(const std::filesystem::path& pdf);

// Number of pages; 0 when the file cannot be read.
inline int PageCount(const std::filesystem::path& pdf) {
    return static_cast<int>(PageSizes(pdf).size());
}

// A field of "pdfinfo" ("Title", "Producer", ...); empty when absent.
std::string InfoField(const std::filesystem::path& pdf, const std::string& field);

// "pdftotext" of the whole document, UTF-8.
std::string ExtractText(const std::filesystem::path& pdf);

// One row of "pdfimages -list".
struct ListedImage {
    std::string type;  // "image", "smask", "mask"
    int width = 0;
    int height = 0;
    std::string color;  // "gray", "rgb", "cmyk", "index"
    int components = 0;
    int bitsPerComponent = 0;
    std::string encoding;  // "image" (Flate), "jpeg", "ccitt", ...
    int objectId = 0;
};
std::vector<ListedImage> ListImages(const std::filesystem::path& pdf);

// The stream data of an object as stored, not decoded.
std::string RawStream(const std::filesystem::path& pdf, int objectId);

// A page rendered by pdftoppm: RGB (3 channels) or grey (1 channel), rows top to bottom.
struct Rendering {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<uint8_t> pixels;

    const uint8_t* At(int x, int y) const { return &pixels[(size_t(y) * width + x) * channels]; }
};
Rendering RenderPage(const std::filesystem::path& pdf, int page, double dpi, bool gray = false);

// True when each channel of an RGB pixel is within tolerance of 0xRRGGBB.
bool ColorNear(const uint8_t* rgb, uint32_t expected, int tolerance);

// The page at dpi, rendered four times finer and reduced to the centre of every 4 x 4 block:
// pdftoppm blends the edges of images drawn at their own size, but not of enlarged ones.
Rendering RenderSharply(const std::filesystem::path& pdf, int page, double dpi);

}  // namespace testsupport
