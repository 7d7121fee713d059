#include "language_table.h"

#include "ini_file.h"
#include "platform/text.h"
#include "wide_text.h"

namespace basalt {
namespace {

constexpr std::wstring_view kLanguageSection = L"Language";

struct Escape {
    std::wstring_view written;
    std::wstring_view meant;
};

// In the order they are recognised.
constexpr Escape kEscapes[] = {
    {L"{\\r\\n}", L"\r\n"}, {L"\\r", L"\r"}, {L"\\n", L"\n"}, {L"\\t", L"\t"}};

// Stores a section's lines: the text before the first "=" is the id, the rest the text; a line
// without "=" is an id with an empty text. Later lines replace earlier ones.
void StoreLines(const IniSection& section, std::map<std::wstring, std::wstring>& texts) {
    for (std::wstring_view line : section.lines) {
        const size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            texts.insert_or_assign(std::wstring(line), std::wstring());
        } else {
            texts.insert_or_assign(std::wstring(line.substr(0, equals)),
                                   UnescapeLanguageText(line.substr(equals + 1)));
        }
    }
}

}  // namespace

std::wstring UnescapeLanguageText(std::wstring_view text) {
    std::wstring plain;
    plain.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const std::wstring_view rest = text.substr(i);
        const Escape* found = nullptr;
        for (const Escape& escape : kEscapes) {
            if (rest.starts_with(escape.written)) {
                found = &escape;
                break;
            }
        }
        if (found) {
            plain.append(found->meant);
            i += found->written.size();
        } else {
            plain.push_back(text[i++]);
        }
    }
    return plain;
}

void LanguageTable::Load(const std::filesystem::path& file) {
    texts_.clear();
    description_.clear();
    const auto ini = ReadIniFile(file);
    if (!ini)
        return;
    description_ = IniValue(*ini, kLanguageSection, L"Description").value_or(L"");
    for (const IniSection& section : ini->sections) {
        if (!platform::EqualsIgnoreCase(section.name, kLanguageSection))
            StoreLines(section, texts_);
    }
}

const wchar_t* LanguageTable::Lookup(std::wstring_view id, const wchar_t* s1, const wchar_t* s2,
                                     const wchar_t* s3) {
    ringPosition_ = (ringPosition_ + 1) % kRingSize;
    const auto found = texts_.find(std::wstring(id));
    if (found == texts_.end() || found->second.empty())
        return nullptr;

    std::wstring text = found->second;
    if (s3)
        platform::ReplaceAll(text, L"%s3", s3);
    if (s2)
        platform::ReplaceAll(text, L"%s2", s2);
    if (s1)
        platform::ReplaceAll(text, L"%s", s1);
    // assign() reuses the slot's buffer when the text fits, so a pointer handed out from this
    // slot earlier shows the newer text rather than freed memory.
    std::wstring& slot = results_[ringPosition_];
    slot.assign(text);
    return slot.c_str();
}

}  // namespace basalt
