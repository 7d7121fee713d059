#include "option_list.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "failure.h"
#include "pdfwriter/pdf_writer.h"
#include "platform/text.h"

namespace pdf {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

[[noreturn]] void BadList(std::wstring_view text, const std::string& why) {
    Fail(kErrorOption, why + " in option list '" + platform::ToUtf8(text) + "'");
}

// Reads a braced value starting at text[pos] == '{'; nested braces are kept.
std::wstring ReadBraced(std::wstring_view text, size_t& pos) {
    int depth = 0;
    const size_t start = pos + 1;
    for (; pos < text.size(); ++pos) {
        if (text[pos] == L'{')
            ++depth;
        if (text[pos] == L'}' && --depth == 0) {
            ++pos;
            return std::wstring(text.substr(start, pos - 1 - start));
        }
    }
    BadList(text, "unbalanced braces");
}

std::wstring ReadWord(std::wstring_view text, size_t& pos) {
    const size_t start = pos;
    while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != L'=') {
        if (text[pos] == L'{' || text[pos] == L'}')
            BadList(text, "unbalanced braces");
        ++pos;
    }
    return std::wstring(text.substr(start, pos - start));
}

}  // namespace

OptionList::OptionList(std::wstring_view text,
                       std::initializer_list<std::string_view> allowedKeys) {
    size_t pos = 0;
    while (true) {
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        if (pos == text.size())
            break;
        const std::optional<std::string> key = AsciiLower(ReadWord(text, pos));
        if (!key || key->empty())
            BadList(text, "missing option name");
        if (std::find(allowedKeys.begin(), allowedKeys.end(), *key) == allowedKeys.end()) {
            BadList(text, "unknown option '" + *key + "'");
        }
        std::wstring value = L"true";
        if (pos < text.size() && text[pos] == L'=') {
            ++pos;
            value = pos < text.size() && text[pos] == L'{' ? ReadBraced(text, pos)
                                                           : ReadWord(text, pos);
            if (value.empty())
                BadList(text, "missing value of '" + *key + "'");
        }
        if (!values_.emplace(*key, value).second)
            BadList(text, "repeated option '" + *key + "'");
    }
}

std::optional<std::wstring> OptionList::Text(std::string_view key) const {
    const auto found = values_.find(std::string(key));
    if (found == values_.end())
        return std::nullopt;
    return found->second;
}

bool OptionList::Flag(std::string_view key) const {
    const std::optional<std::wstring> value = Text(key);
    if (!value || *value == L"false")
        return false;
    if (*value == L"true")
        return true;
    Fail(kErrorOption, "option '" + std::string(key) + "' must be true or false");
}

std::vector<std::wstring> OptionList::Words(std::string_view key) const {
    std::vector<std::wstring> words;
    const std::wstring value = Text(key).value_or(L"");
    size_t pos = 0;
    while (pos < value.size()) {
        while (pos < value.size() && IsBlank(value[pos]))
            ++pos;
        const size_t start = pos;
        while (pos < value.size() && !IsBlank(value[pos]))
            ++pos;
        if (pos > start)
            words.push_back(value.substr(start, pos - start));
    }
    return words;
}

double OptionList::Number(std::string_view key) const {
    const std::optional<double> number = ParseNumber(Text(key).value_or(L""));
    if (!number)
        Fail(kErrorOption, "option '" + std::string(key) + "' needs a number");
    return *number;
}

std::optional<double> ParseNumber(std::wstring_view text) {
    const std::optional<std::string> ascii = AsciiLower(text);
    if (!ascii || ascii->empty())
        return std::nullopt;
    std::string_view digits = *ascii;
    if (digits.front() == '+')
        digits.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                        std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) {
        return std::nullopt;
    }
    if (!std::isfinite(value) || std::fabs(value) > 1e9)
        return std::nullopt;
    return value;
}

std::optional<std::string> AsciiLower(std::wstring_view text) {
    std::string ascii;
    for (const wchar_t c : text) {
        if (c <= 0x20 || c > 0x7E)
            return std::nullopt;
        ascii += static_cast<char>(c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c);
    }
    return ascii;
}

}  // namespace pdf
