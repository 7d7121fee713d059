#include "pdf_tools.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "temp_dir.h"

namespace testsupport {

ToolResult RunTool(const std::string& command, bool captureErrors) {
    ToolResult result;
    FILE* pipe = popen((command + (captureErrors ? " 2>&1" : " 2>/dev/null")).c_str(), "r");
    if (!pipe) {
        return result;
    }
    char buffer[65536];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.output.append(buffer, got);
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string Quoted(const std::filesystem::path& path) {
    std::string quoted = "'";
    for (const char c : path.string()) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

int QpdfCheck(const std::filesystem::path& pdf) {
    return RunTool("qpdf --check " + Quoted(pdf)).status;
}

void ExpectEveryPdfPassesQpdf(const std::filesystem::path& folder) {
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".pdf" ||
            !ReadFile(entry.path()).starts_with("%PDF-")) {
            continue;
        }
        const ToolResult check = RunTool("qpdf --check " + Quoted(entry.path()), true);
        EXPECT_EQ(check.status, 0)
            << "qpdf --check " << entry.path() << " exited with " << check.status << ":\n"
            << check.output;
    }
}

std::vector<PageSize> PageSizes(const std::filesystem::path& pdf) {
    std::istringstream lines(RunTool("pdfinfo -f 1 -l 100000 " + Quoted(pdf)).output);
    std::vector<PageSize> sizes;
    std::string line;
    while (std::getline(lines, line)) {
        PageSize size;
        int page = 0;
        if (std::sscanf(line.c_str(), "Page %d size: %lf x %lf", &page, &size.width,
                        &size.height) == 3) {
            sizes.push_back(size);
        }
    }
    return sizes;
}

std::string InfoField(const std::filesystem::path& pdf, const std::string& field) {
    std::istringstream lines(RunTool("pdfinfo -enc UTF-8 " + Quoted(pdf)).output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(field + ":", 0) != 0) {
            continue;
        }
        const size_t value = line.find_first_not_of(' ', field.size() + 1);
        return value == std::string::npos ? "" : line.substr(value);
    }
    return "";
}

std::string ExtractText(const std::filesystem::path& pdf) {
    return RunTool("pdftotext -enc UTF-8 " + Quoted(pdf) + " -").output;
}

std::vector<ListedImage> ListImages(const std::filesystem::path& pdf) {
    std::istringstream lines(RunTool("pdfimages -list " + Quoted(pdf)).output);
    std::vector<ListedImage> images;
    std::string line;
    std::getline(lines, line);  // headings
    std::getline(lines, line);  // rule
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        ListedImage image;
        int page = 0;
        int number = 0;
        std::string interpolate;
        fields >> page >> number >> image.type >> image.width >> image.height >> image.color >>
            image.components >> image.bitsPerComponent >> image.encoding >> interpolate >>
            image.objectId;
        if (fields) {
            images.push_back(image);
        }
    }
    return images;
}

std::string RawStream(const std::filesystem::path& pdf, int objectId) {
    return RunTool("qpdf --show-object=" + std::to_string(objectId) + " --raw-stream-data " +
                   Quoted(pdf))
        .output;
}

Rendering RenderPage(const std::filesystem::path& pdf, int page, double dpi, bool gray) {
    testsupport::TempDir folder;
    const std::filesystem::path root = folder / "page";
    RunTool("pdftoppm " + std::string(gray ? "-gray " : "") + "-r " + std::to_string(dpi) + " -f " +
            std::to_string(page) + " -l " + std::to_string(page) + " -singlefile " + Quoted(pdf) +
            " " + Quoted(root));
    const std::string bytes = testsupport::ReadFile(root.string() + (gray ? ".pgm" : ".ppm"));
    Rendering rendering;
    int maximum = 0;
    int consumed = 0;
    char magic[3] = {};
    if (std::sscanf(bytes.c_str(), "%2s %d %d %d%n", magic, &rendering.width, &rendering.height,
                    &maximum, &consumed) != 4) {
        return {};
    }
    rendering.channels = gray ? 1 : 3;
    const size_t size = size_t(rendering.width) * rendering.height * rendering.channels;
    if (bytes.size() < consumed + 1 + size) {
        return {};
    }
    rendering.pixels.assign(bytes.begin() + consumed + 1, bytes.begin() + consumed + 1 + size);
    return rendering;
}

Rendering RenderSharply(const std::filesystem::path& pdf, int page, double dpi) {
    const Rendering fine = RenderPage(pdf, page, dpi * 4);
    Rendering sharp{fine.width / 4, fine.height / 4, fine.channels, {}};
    for (int y = 0; y < sharp.height; ++y) {
        for (int x = 0; x < sharp.width; ++x) {
            const uint8_t* centre = fine.At(4 * x + 2, 4 * y + 2);
            sharp.pixels.insert(sharp.pixels.end(), centre, centre + fine.channels);
        }
    }
    return sharp;
}

bool ColorNear(const uint8_t* rgb, uint32_t expected, int tolerance) {
    for (int channel = 0; channel < 3; ++channel) {
        const int want = static_cast<int>((expected >> (16 - 8 * channel)) & 0xFF);
        if (std::abs(rgb[channel] - want) > tolerance) {
            return false;
        }
    }
    return true;
}

}  // namespace testsupport
