#include "wide_format.h"

#include <cwchar>
#include <string_view>
#include <vector>

namespace basalt {
namespace {

constexpr size_t kMaxFormattedChars = 16u << 20;
constexpr std::wstring_view kFlags = L"-+ #0'";
constexpr std::wstring_view kWidth = L"0123456789.*";

// Rewrites the length modifier and conversion of one directive for the C library, where "%s"
// is narrow and "%ls" wide. Returns the directive's length in the source.
size_t TranslateDirective(std::wstring_view directive, std::wstring& out) {
    size_t i = 0;
    while (i < directive.size() && kFlags.find(directive[i]) != std::wstring_view::npos)
        ++i;
    while (i < directive.size() && kWidth.find(directive[i]) != std::wstring_view::npos)
        ++i;
    out.append(directive.substr(0, i));

    std::wstring_view modifier = directive.substr(i);
    modifier = modifier.substr(0, modifier.find_first_not_of(L"hlLqjztwI0123456789"));
    i += modifier.size();
    const wchar_t conversion = i < directive.size() ? directive[i] : L'\0';
    const bool isText = conversion == L's' || conversion == L'c';
    if (conversion == L'S' || conversion == L'C') {
        out += static_cast<wchar_t>(conversion - L'S' + L's');  // narrow text
    } else if (isText && modifier == L"h") {
        out += conversion;
    } else if (isText) {
        out += L'l';
        out += conversion;
    } else {
        out += modifier == L"I64" ? L"ll" : modifier == L"I32" ? L"" : std::wstring(modifier);
        if (conversion)
            out += conversion;
    }
    return conversion ? i + 1 : i;
}

std::wstring TranslateFormat(std::wstring_view format) {
    std::wstring out;
    size_t i = 0;
    while (i < format.size()) {
        out += format[i];
        if (format[i++] != L'%')
            continue;
        if (i < format.size() && format[i] == L'%') {
            out += format[i++];
            continue;
        }
        i += TranslateDirective(format.substr(i), out);
    }
    return out;
}

}  // namespace

std::wstring FormatWide(const wchar_t* format, va_list args) {
    if (!format)
        return {};
    const std::wstring translated = TranslateFormat(format);
    for (size_t size = 256; size <= kMaxFormattedChars; size *= 2) {
        std::vector<wchar_t> buffer(size);
        va_list attempt;
        va_copy(attempt, args);
        const int written = std::vswprintf(buffer.data(), size, translated.c_str(), attempt);
        va_end(attempt);
        if (written >= 0)
            return std::wstring(buffer.data(), static_cast<size_t>(written));
    }
    return format;
}

}  // namespace basalt
