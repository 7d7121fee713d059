#include "watermarks.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "image_acquisition.h"
#include "path_names.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "platform/text.h"

namespace engine {
namespace {

// The file's modification date in local time as YYYY/MM/DD; empty when the file is not found.
std::wstring ModificationDate(const std::wstring& path) {
    const std::optional<std::time_t> modified = platform::ModificationTime(path);
    const std::optional<std::tm> local = modified ? platform::LocalTime(*modified) : std::nullopt;
    if (!local) {
        return {};
    }
    char date[32];
    std::strftime(date, sizeof date, "%Y/%m/%d", &*local);
    return platform::FromUtf8(date);
}

// The first font that loads: a Japanese-capable one, a Chinese-capable one, then a Latin sans.
int LoadWatermarkFont(pdf::PdfWriter& writer) {
    int font = writer.load_font(L"KozMinPro-Regular-Acro", L"UniJIS-UCS2-H", L"");
    if (font != -1) {
        return font;
    }
    writer.set_parameter(L"SearchPath", L"宋体=/usr/fonts");
    font = writer.load_font(L"宋体", L"unicode", L"");
    if (font != -1) {
        return font;
    }
    writer.set_parameter(L"SearchPath", L"Arial=/usr/fonts");
    return writer.load_font(L"Arial", L"unicode", L"");
}

void DrawImageWatermark(RunState& run, pdf::PdfWriter& writer) {
    const ConversionSettings& settings = run.settings;
    const int image = AcquireWatermarkImage(run, writer);
    if (image == -1) {
        return;
    }
    // A stored opacity outside 0 to 100 would make the writer reject the state and drop the
    // page; it is held to the nearest end instead.
    const int percent = std::clamp(settings.WaterImageOpacity, 0, 100);
    char opacity[64];
    std::snprintf(opacity, sizeof opacity, "opacityfill=%f", percent / 100.0);
    writer.set_gstate(writer.create_gstate(platform::FromUtf8(opacity)));
    writer.fit_image(image, static_cast<uint32_t>(settings.WaterImageX),
                     static_cast<uint32_t>(settings.WaterImageY), L"");
}

void DrawTextWatermark(const ConversionSettings& settings, pdf::PdfWriter& writer,
                       const std::wstring& path, int number) {
    const std::wstring text = ExpandWatermarkText(settings.WaterText, path, number);
    if (text.empty() || settings.WaterFontPoints() == 0) {
        return;  // size 0 shows nothing
    }
    const int font = LoadWatermarkFont(writer);
    if (font == -1) {
        return;
    }
    const double size = settings.WaterFontPoints();
    writer.setfont(font, size);
    const double pageHeight = writer.get_value(L"pageheight", 0);
    writer.set_text_pos(static_cast<uint32_t>(settings.WaterPosX),
                        pageHeight - size - static_cast<uint32_t>(settings.WaterPosY));
    const auto color = static_cast<uint32_t>(settings.WaterColor);
    writer.setcolor(L"fill", L"rgb", (color & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                    ((color >> 16) & 0xFF) / 255.0, 0);
    writer.show(text);
}

}  // namespace

int AcquireWatermarkImage(RunState& run, pdf::PdfWriter& writer) {
    if (run.watermarkImage != -1) {
        return run.watermarkImage;
    }
    const std::wstring& file = run.settings.WaterImage;
    if (file.empty() || run.watermarkImageFailed) {
        return -1;
    }
    run.watermarkImage = LoadDirect(writer, file, run.settings.autoRotate);
    if (run.watermarkImage == -1) {
        run.watermarkImageFailed = true;
        run.ReportSkip(file, L"the watermark image cannot be loaded (" + writer.get_errmsg() +
                                 L"); the pages go without it");
    }
    return run.watermarkImage;
}

std::wstring ExpandWatermarkText(const std::wstring& text, const std::wstring& path, int number) {
    // The values, computed only when their field occurs; an empty value keeps its field as is.
    const auto valueOf = [&](std::wstring_view field) -> std::wstring {
        if (field == L"%FileName%") {
            return path.find(L'/') != std::wstring::npos ? BookmarkTitle(path) : L"";
        }
        return field == L"%Number%" ? std::to_wstring(number) : ModificationDate(path);
    };
    constexpr std::wstring_view kFields[] = {L"%FileName%", L"%Number%", L"%MDate%"};
    std::wstring result;
    for (size_t at = 0; at < text.size();) {
        const std::wstring_view rest = std::wstring_view(text).substr(at);
        const auto field = std::find_if(std::begin(kFields), std::end(kFields),
                                        [&](std::wstring_view f) { return rest.starts_with(f); });
        if (field == std::end(kFields)) {
            result += text[at++];
            continue;
        }
        const std::wstring value = valueOf(*field);
        result += value.empty() ? std::wstring(*field) : value;
        at += field->size();
    }
    return result;
}

void DrawWatermarks(RunState& run, pdf::PdfWriter& writer, const std::wstring& path, int number) {
    DrawImageWatermark(run, writer);
    DrawTextWatermark(run.settings, writer, path, number);
}

}  // namespace engine
