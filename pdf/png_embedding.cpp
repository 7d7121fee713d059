#include "png_embedding.h"

#include <string>
#include <vector>

#include "imaging/image.h"
#include "pdf_syntax.h"
#include "pdfwriter/png_proof.h"
#include "png_data_proof.h"

namespace pdf {
namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct PngLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t depth = 0;
    uint8_t colorType = 0;
    uint8_t interlace = 0;
    std::span<const uint8_t> palette;
    std::span<const uint8_t> transparency;
    std::vector<std::span<const uint8_t>> data;
    uint64_t dataSize = 0;
};

uint32_t BigEndian32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

void Record(PngLayout& png, std::string_view type, std::span<const uint8_t> data) {
    if (type == "IHDR" && data.size() == 13) {
        png.width = BigEndian32(data.data());
        png.height = BigEndian32(data.data() + 4);
        png.depth = data[8];
        png.colorType = data[9];
        png.interlace = data[12];
    } else if (type == "PLTE") {
        png.palette = data;
    } else if (type == "tRNS") {
        png.transparency = data;
    } else if (type == "IDAT") {
        png.data.push_back(data);
        png.dataSize += data.size();
    }
}

// Walks the chunks up to IEND; nullopt when the structure is broken.
std::optional<PngLayout> ReadLayout(std::span<const uint8_t> bytes) {
    if (bytes.size() < 8 || !std::equal(kSignature, kSignature + 8, bytes.begin())) {
        return std::nullopt;
    }
    PngLayout png;
    size_t at = 8;
    while (at + 12 <= bytes.size()) {
        const uint32_t length = BigEndian32(&bytes[at]);
        const std::string_view type(reinterpret_cast<const char*>(&bytes[at + 4]), 4);
        if (length > bytes.size() - at - 12)
            return std::nullopt;
        if (type == "IEND")
            return png.width > 0 && png.height > 0 ? std::optional(png) : std::nullopt;
        Record(png, type, bytes.subspan(at + 8, length));
        at += 12 + length;
    }
    return std::nullopt;
}

uint8_t Channels(uint8_t colorType) {
    return colorType == 2 ? 3 : 1;
}

uint64_t RowBytes(const PngLayout& png) {
    return (uint64_t{png.width} * Channels(png.colorType) * png.depth + 7) / 8;
}

// The colour-key mask for tRNS (8.9.6.4): "[min max ...]", "" without tRNS; nullopt when
// the transparency cannot be written so.
std::optional<std::string> ColorKeyMask(const PngLayout& png) {
    const std::span<const uint8_t> t = png.transparency;
    if (t.empty())
        return "";
    if (png.colorType == 0 && t.size() == 2) {
        const std::string gray = std::to_string(t[0] << 8 | t[1]);
        return "[" + gray + " " + gray + "]";
    }
    if (png.colorType == 2 && t.size() == 6) {
        std::string mask = "[";
        for (int i = 0; i < 3; ++i) {
            const std::string value = std::to_string(t[2 * i] << 8 | t[2 * i + 1]);
            mask += value + " " + value + " ";
        }
        return mask + "]";
    }
    if (png.colorType != 3)
        return std::nullopt;
    // Palette images: one run of fully transparent entries, every other entry opaque.
    int first = -1;
    int last = -1;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == 255)
            continue;
        if (t[i] != 0 || (last >= 0 && static_cast<int>(i) != last + 1))
            return std::nullopt;
        if (first < 0)
            first = static_cast<int>(i);
        last = static_cast<int>(i);
    }
    if (first < 0)
        return "";
    return "[" + std::to_string(first) + " " + std::to_string(last) + "]";
}

std::optional<std::string> ColorSpace(const PngLayout& png) {
    if (png.colorType == 0)
        return "/DeviceGray";
    if (png.colorType == 2)
        return "/DeviceRGB";
    const size_t entries = png.palette.size() / 3;
    if (png.palette.size() % 3 != 0 || entries == 0 || entries > 256)
        return std::nullopt;
    return "[/Indexed /DeviceRGB " + std::to_string(entries - 1) + " " + HexString(png.palette) +
           "]";
}

bool CanPassThrough(const PngLayout& png) {
    const bool knownType = png.colorType == 0 || png.colorType == 2 || png.colorType == 3;
    const bool validDepth = png.depth == 1 || png.depth == 2 || png.depth == 4 || png.depth == 8;
    return knownType && validDepth && !(png.colorType == 2 && png.depth != 8) &&
           png.interlace == 0 && png.width <= 0x7FFFFFFF && png.height <= 0x7FFFFFFF;
}

// The image dictionary's entries for the copied data (8.9.5, 7.4.4.4).
std::string ImageEntries(const PngLayout& png, const std::string& space, const std::string& mask) {
    std::string entries =
        "/Type /XObject /Subtype /Image /Width " + std::to_string(png.width) + " /Height " +
        std::to_string(png.height) + " /ColorSpace " + space + " /BitsPerComponent " +
        std::to_string(png.depth) + " /Filter /FlateDecode /DecodeParms <</Predictor 15 /Colors " +
        std::to_string(Channels(png.colorType)) + " /BitsPerComponent " +
        std::to_string(png.depth) + " /Columns " + std::to_string(png.width) + ">>";
    if (!mask.empty())
        entries += " /Mask " + mask;
    return entries;
}

}  // namespace

std::optional<PngPassThrough> PlanPngPassThrough(std::span<const uint8_t> bytes) {
    const std::optional<PngLayout> png = ReadLayout(bytes);
    if (!png || !CanPassThrough(*png))
        return std::nullopt;
    const std::optional<std::string> space = ColorSpace(*png);
    const std::optional<std::string> mask = ColorKeyMask(*png);
    if (!space || !mask)
        return std::nullopt;
    return PngPassThrough{ImageEntries(*png, *space, *mask), png->data, png->dataSize, png->height,
                          RowBytes(*png)};
}

bool PngIsSound(std::span<const uint8_t> bytes, const PngPassThrough& plan) {
    // A chunk whose checksum is wrong is damage the copied data would carry into the PDF.
    return imaging::CheckPngChunks(bytes.data(), bytes.size()) &&
           PngDataIsSound(plan.data, plan.rows, plan.rowBytes);
}

std::optional<uint32_t> WritePngPassThrough(ObjectWriter& writer, std::span<const uint8_t> bytes) {
    const std::optional<PngPassThrough> plan = PlanPngPassThrough(bytes);
    // A file that is not sound goes to the decoder, which refuses it.
    if (!plan || (!IsProvenPng(bytes) && !PngIsSound(bytes, *plan)))
        return std::nullopt;
    const uint32_t id = writer.Allocate();
    writer.BeginStream(id, plan->entries, plan->dataSize);
    for (const std::span<const uint8_t> part : plan->data) {
        writer.WriteStreamData(part.data(), part.size());
    }
    writer.EndStream();
    return id;
}

}  // namespace pdf
