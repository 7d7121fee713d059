#pragma once

// Reading of the INI-form files the language texts live in.
//
// Encodings: UTF-16 little-endian when the file starts with its byte-order mark, else UTF-8
// (with or without its byte-order mark). Malformed sequences become U+FFFD; a trailing odd byte
// of UTF-16 text is dropped.
//
// Form: "[name]" opens a section; every later line belongs to it until the next one. Lines are
// taken without their line break and without blanks (spaces, tabs) at either end; empty lines
// and lines starting with ";" are skipped, and so is everything before the first section.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace basalt {

struct IniSection {
    std::wstring name;
    std::vector<std::wstring> lines;
};

struct IniFile {
    std::vector<IniSection> sections;  // in file order; a repeated name gives a second section
};

// Files larger than this are not read: no language file comes near it.
inline constexpr uintmax_t kMaxIniFileBytes = 64u << 20;

// Decodes the bytes of an INI file into text.
std::wstring DecodeIniText(std::string_view bytes);

IniFile ParseIni(std::wstring_view text);

// Reads and parses a regular file of at most kMaxIniFileBytes; nullopt when it is missing, not
// a regular file, too large or unreadable.
std::optional<IniFile> ReadIniFile(const std::filesystem::path& file);

// The value of key in the first section named section (both compared without regard to ASCII
// letter case): the text after the line's first "=", without surrounding blanks. nullopt when
// there is no such key.
std::optional<std::wstring> IniValue(const IniFile& ini, std::wstring_view section,
                                     std::wstring_view key);

}  // namespace basalt
