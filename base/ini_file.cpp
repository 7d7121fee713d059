#include "ini_file.h"

#include <cstdint>

#include "platform/file_io.h"
#include "platform/text.h"
#include "wide_text.h"

namespace basalt {
namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr wchar_t kReplacement = 0xFFFD;

bool IsHighSurrogate(uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::wstring FromUtf16Le(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size() / 2);
    const auto unitAt = [&](size_t i) {
        return static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) |
               static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    };
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const uint32_t unit = unitAt(i);
        if (IsHighSurrogate(unit) && i + 3 < bytes.size() && IsLowSurrogate(unitAt(i + 2))) {
            text.push_back(
                static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (unitAt(i + 2) - 0xDC00)));
            i += 2;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            text.push_back(kReplacement);
        } else {
            text.push_back(static_cast<wchar_t>(unit));
        }
    }
    return text;
}

// "[name]" gives name; a line without the closing bracket names the rest of the line.
std::wstring SectionName(std::wstring_view line) {
    line.remove_prefix(1);
    return std::wstring(line.substr(0, line.find(L']')));
}

}  // namespace

std::wstring DecodeIniText(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeMark))
        return FromUtf16Le(bytes.substr(kUtf16LeMark.size()));
    if (bytes.starts_with(kUtf8Mark))
        bytes.remove_prefix(kUtf8Mark.size());
    return platform::FromUtf8(bytes);
}

IniFile ParseIni(std::wstring_view text) {
    IniFile ini;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring_view::npos)
            end = text.size();
        std::wstring_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.ends_with(L'\r'))
            line.remove_suffix(1);
        line = TrimBlanks(line);
        if (line.empty() || line.front() == L';')
            continue;
        if (line.front() == L'[') {
            ini.sections.push_back({SectionName(line), {}});
        } else if (!ini.sections.empty()) {
            ini.sections.back().lines.emplace_back(line);
        }
    }
    return ini;
}

std::optional<IniFile> ReadIniFile(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    const uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > kMaxIniFileBytes)
        return std::nullopt;
    const auto bytes = platform::ReadFileBytes(file);
    if (!bytes || bytes->size() > kMaxIniFileBytes)
        return std::nullopt;
    return ParseIni(DecodeIniText(*bytes));
}

std::optional<std::wstring> IniValue(const IniFile& ini, std::wstring_view section,
                                     std::wstring_view key) {
    for (const IniSection& candidate : ini.sections) {
        if (!platform::EqualsIgnoreCase(candidate.name, section))
            continue;
        for (std::wstring_view line : candidate.lines) {
            const size_t equals = line.find(L'=');
            if (equals == std::wstring_view::npos)
                continue;
            if (platform::EqualsIgnoreCase(TrimBlanks(line.substr(0, equals)), key)) {
                return std::wstring(TrimBlanks(line.substr(equals + 1)));
            }
        }
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace basalt
