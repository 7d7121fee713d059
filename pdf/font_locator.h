#pragma once

// Finds an installed font file for a font name through fontconfig.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pdf {

struct FontLocation {
    std::string file;
    int index = 0;  // face number inside a collection
};

// Adds a folder whose fonts join the installed ones for every later LocateFont in this process.
// Missing folders are ignored. Thread-safe.
void AddFontFolder(const std::filesystem::path& folder);

// The font behind a name:
// - "KozMinPro-Regular-Acro": a font that supports Japanese, serif preferred;
// - "宋体" (or "SimSun"): a font that supports Simplified Chinese, serif preferred;
// - "Arial": Arial, else what the system offers for it (a metric-compatible sans), else any
//   sans with Latin letters;
// - any other name: an installed font of exactly that family.
// Only TrueType and OpenType outline fonts are chosen. nullopt when nothing fits. Thread-safe.
std::optional<FontLocation> LocateFont(std::wstring_view name);

// An installed outline font that has a glyph for character, sans-serif preferred, for text the
// chosen font cannot show. nullopt when none has it. Thread-safe.
std::optional<FontLocation> LocateFontFor(char32_t character);

}  // namespace pdf
