#include "document_info.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "failure.h"
#include "pdf_syntax.h"
#include "pdfwriter/pdf_writer.h"
#include "platform/local_time.h"
#include "platform/text.h"

namespace pdf {
namespace {

constexpr std::array<std::string_view, 4> kWriterOwnedKeys{"Producer", "CreationDate", "ModDate",
                                                           "Trapped"};

bool IsNameKey(std::wstring_view key) {
    if (key.empty()) {
        return false;
    }
    for (const wchar_t c : key) {
        if (c <= 0x20 || c > 0x7E) {
            return false;
        }
    }
    return true;
}

}  // namespace

void DocumentInfo::Set(std::wstring_view key, std::wstring_view value) {
    if (!IsNameKey(key)) {
        Fail(kErrorParameter, "bad document information key '" + platform::ToUtf8(key) + "'");
    }
    const std::string name = platform::ToUtf8(key);
    for (const std::string_view owned : kWriterOwnedKeys) {
        if (name == owned) {
            Fail(kErrorParameter, "the writer sets '" + name + "' itself");
        }
    }
    entries_[name] = value;
}

uint32_t DocumentInfo::Write(ObjectWriter& writer, std::optional<std::time_t> now) const {
    std::string dictionary = "<<";
    for (const auto& [key, value] : entries_) {
        dictionary += Name(key) + " " + TextString(value) + "\n";
    }
    dictionary += "/Producer (Folioforge)";
    if (now) {
        const std::string date = "(" + PdfDate(*now) + ")";
        dictionary += "\n/CreationDate " + date + "\n/ModDate " + date;
    }
    return writer.AddObject(dictionary + ">>");
}

std::string PdfDate(std::time_t time) {
    const std::tm local = platform::LocalTime(time).value_or(std::tm{});
    const long offsetMinutes = local.tm_gmtoff / 60;
    const char sign = offsetMinutes < 0 ? '-' : '+';
    char text[80];
    std::snprintf(text, sizeof text, "D:%04d%02d%02d%02d%02d%02d%c%02ld'%02ld'",
                  local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec, sign, std::labs(offsetMinutes) / 60,
                  std::labs(offsetMinutes) % 60);
    return text;
}

}  // namespace pdf
