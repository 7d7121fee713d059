#pragma once

// One loaded language: its description and its texts by text id, with the ring of recent
// results that keeps returned pointers valid for the caller.
//
// Not thread-safe: all language operations come from the thread that owns the user interface.

#include <array>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace basalt {

// Turns the escapes of a language text into the characters they stand for: "{\r\n}" into a
// carriage return and line feed, then "\r", "\n" and "\t" into their characters.
std::wstring UnescapeLanguageText(std::wstring_view text);

class LanguageTable {
public:
    static constexpr int kRingSize = 100;

    // Replaces the table's texts and description with those of the file. A missing, unreadable
    // or empty file leaves the table empty.
    void Load(const std::filesystem::path& file);

    // The text of id with "%s3", "%s2" and "%s" (in that order) replaced by the substitutions
    // that are not null, stored in the next ring slot; null when the id has no non-empty text.
    // Every call moves to the next slot, so a result stays valid for 99 further calls.
    const wchar_t* Lookup(std::wstring_view id, const wchar_t* s1, const wchar_t* s2,
                          const wchar_t* s3);

    const std::wstring& description() const { return description_; }

private:
    std::array<std::wstring, kRingSize> results_;
    int ringPosition_ = -1;
    std::wstring description_;
    std::map<std::wstring, std::wstring> texts_;
};

}  // namespace basalt
