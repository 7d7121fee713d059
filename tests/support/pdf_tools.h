#pragma once

// Checks of written PDFs through the command-line tools of qpdf and poppler.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

struct CommandResult {
    int status = -1;
    std::string output;  // standard output and standard error together
};

// Runs a shell command and captures what it prints.
CommandResult RunCommand(const std::string& command);

// Quotes a path for the shell.
std::string Quoted(const std::filesystem::path& path);

// True when `qpdf --check` exits with status 0.
bool QpdfCheckPasses(const std::filesystem::path& pdf);

// Number of pages, or -1 when pdfinfo cannot read the file.
int PageCount(const std::filesystem::path& pdf);

struct PageSize {
    double width = 0;
    double height = 0;
};

// The size of one page (1-based) in points, as pdfinfo reports it.
PageSize PageSizeOf(const std::filesystem::path& pdf, int page);

// The value of one pdfinfo field ("Title", "Author", ...); empty when missing.
std::string InfoField(const std::filesystem::path& pdf, const std::string& field);

// The text of the whole document, as pdftotext extracts it.
std::string DocumentText(const std::filesystem::path& pdf);

// One row of `pdfimages -list`.
struct ListedImage {
    int page = 0;
    int width = 0;
    int height = 0;
    std::string color;  // gray, rgb, cmyk, index, ...
    std::string encoding;  // jpeg, image, ccitt, ...
    int bitsPerComponent = 0;
};

std::vector<ListedImage> ListImages(const std::filesystem::path& pdf);

// A page rendered by pdftoppm, RGB.
struct Raster {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    // The pixel at (x, y) from the top left as 0xRRGGBB.
    uint32_t At(int x, int y) const;
};

Raster RenderPage(const std::filesystem::path& pdf, int page, int dpi = 72);

// True when each channel of two 0xRRGGBB colours differs by at most tolerance.
bool ColorsNear(uint32_t a, uint32_t b, int tolerance);

}  // namespace testsupport
