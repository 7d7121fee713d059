#include "pdf_tools.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include <sys/wait.h>

#include "temp_dir.h"

namespace testsupport {

CommandResult RunCommand(const std::string& command) {
    CommandResult result;
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) result.output.append(chunk, got);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string Quoted(const std::filesystem::path& path) {
    std::string quoted = "'";
    for (char c : path.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool QpdfCheckPasses(const std::filesystem::path& pdf) {
    return RunCommand("qpdf --check " + Quoted(pdf)).status == 0;
}

std::string InfoField(const std::filesystem::path& pdf, const std::string& field) {
    std::istringstream lines(RunCommand("pdfinfo -enc UTF-8 " + Quoted(pdf)).output);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with(field + ":")) continue;
        const size_t start = line.find_first_not_of(' ', field.size() + 1);
        return start == std::string::npos ? "" : line.substr(start);
    }
    return {};
}

int PageCount(const std::filesystem::path& pdf) {
    const std::string pages = InfoField(pdf, "Pages");
    return pages.empty() ? -1 : std::atoi(pages.c_str());
}

PageSize PageSizeOf(const std::filesystem::path& pdf, int page) {
    const std::string range = " -f " + std::to_string(page) + " -l " + std::to_string(page) + " ";
    std::istringstream lines(RunCommand("pdfinfo" + range + Quoted(pdf)).output);
    PageSize size;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("Page") && line.find("size:") != std::string::npos) {
            std::sscanf(line.c_str() + line.find("size:") + 5, "%lf x %lf", &size.width,
                        &size.height);
        }
    }
    return size;
}

std::string DocumentText(const std::filesystem::path& pdf) {
    return RunCommand("pdftotext -enc UTF-8 " + Quoted(pdf) + " -").output;
}

std::vector<ListedImage> ListImages(const std::filesystem::path& pdf) {
    std::istringstream lines(RunCommand("pdfimages -list " + Quoted(pdf)).output);
    std::vector<ListedImage> images;
    std::string line;
    std::getline(lines, line);  // heading
    std::getline(lines, line);  // rule
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        ListedImage image;
        std::string number, type, components, interpolate;
        fields >> image.page >> number >> type >> image.width >> image.height >> image.color >>
            components >> image.bitsPerComponent >> image.encoding;
        if (fields) images.push_back(image);
    }
    return images;
}

uint32_t Raster::At(int x, int y) const {
    const size_t at = (static_cast<size_t>(y) * width + x) * 3;
    return (rgb[at] << 16) | (rgb[at + 1] << 8) | rgb[at + 2];
}

Raster RenderPage(const std::filesystem::path& pdf, int page, int dpi) {
    TempDir dir;
    const std::string p = std::to_string(page);
    RunCommand("pdftoppm -r " + std::to_string(dpi) + " -f " + p + " -l " + p +
               " -singlefile " + Quoted(pdf) + " " + Quoted(dir / "page"));
    const std::string ppm = ReadFile(dir / "page.ppm");
    Raster raster;
    int maxValue = 0, consumed = 0;
    if (std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &raster.width, &raster.height, &maxValue,
                    &consumed) != 3) {
        return {};
    }
    const size_t size = static_cast<size_t>(raster.width) * raster.height * 3;
    if (ppm.size() < consumed + 1 + size) return {};
    raster.rgb.assign(ppm.begin() + consumed + 1, ppm.begin() + consumed + 1 + size);
    return raster;
}

bool ColorsNear(uint32_t a, uint32_t b, int tolerance) {
    for (int shift : {16, 8, 0}) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
            tolerance) {
            return false;
        }
    }
    return true;
}

}  // namespace testsupport
