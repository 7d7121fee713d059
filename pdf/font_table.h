#pragma once

// The fonts loaded into one document, by handle. Loading the same name and encoding again gives
// the same handle (and a name that found no font fails again at once).

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "embedded_font.h"
#include "object_writer.h"

namespace pdf {

// One piece of a line as shown: the Type0 font's object number, the operators that show the
// piece with that font selected, and its width in points.
struct ShownPiece {
    uint32_t fontId = 0;
    std::string operators;
    double advance = 0;
};

class FontTable {
public:
    // See PdfWriter::load_font. Throws Failure (kErrorFont) when no installed font fits,
    // (kErrorParameter) for an unknown encoding, (kErrorOption) for a non-empty optlist.
    int Load(ObjectWriter& writer, const std::wstring& name, const std::wstring& encoding,
             std::wstring_view optlist);
    // Throws Failure (kErrorHandle) for unknown handles.
    EmbeddedFont& Get(int handle);

    // Lays out one line of text for the font of handle, left to right: runs of one direction in
    // visual order, each shaped in its direction; characters that font lacks are shown by an
    // installed font that has them (found once per character and document), or as its missing
    // glyph when none has them. Throws Failure (kErrorHandle) for unknown handles.
    std::vector<ShownPiece> ShowText(ObjectWriter& writer, int handle, std::u32string_view text,
                                     double fontSize);
    void WriteAll(ObjectWriter& writer) const;

private:
    int Open(ObjectWriter& writer, const std::wstring& name);
    // The document's font for a character the chosen fonts lack; null when none has it.
    EmbeddedFont* FallbackFor(ObjectWriter& writer, char32_t character);

    std::vector<std::unique_ptr<EmbeddedFont>> fonts_;
    std::map<std::wstring, int> handleOfName_;  // -1: no font fits
    std::vector<std::unique_ptr<EmbeddedFont>> fallbacks_;
    std::map<std::string, EmbeddedFont*> fallbackOfFile_;  // by "file#index"
    std::map<char32_t, EmbeddedFont*> fallbackOf_;         // null: no installed font has it
};

}  // namespace pdf
