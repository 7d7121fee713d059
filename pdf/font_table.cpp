#include "font_table.h"

#include <algorithm>
#include <array>

#include "failure.h"
#include "font_locator.h"
#include "font_runs.h"
#include "option_list.h"
#include "pdfwriter/pdf_writer.h"
#include "platform/text.h"

namespace pdf {
namespace {

// Text is always embedded with two-byte glyph codes and a Unicode map, so every Unicode
// encoding gives the same result.
constexpr std::array<std::wstring_view, 6> kUnicodeEncodings{
    L"unicode", L"auto", L"UniJIS-UCS2-H", L"UniGB-UCS2-H", L"UniCNS-UCS2-H", L"UniKS-UCS2-H"};

bool IsUnicodeEncoding(std::wstring_view encoding) {
    for (const std::wstring_view known : kUnicodeEncodings) {
        if (platform::EqualsIgnoreCase(encoding, known))
            return true;
    }
    return false;
}

}  // namespace

int FontTable::Load(ObjectWriter& writer, const std::wstring& name, const std::wstring& encoding,
                    std::wstring_view optlist) {
    OptionList(optlist, {});
    if (!IsUnicodeEncoding(encoding)) {
        Fail(kErrorParameter, "unsupported encoding '" + platform::ToUtf8(encoding) + "'");
    }
    const auto known = handleOfName_.find(name);
    const int handle = known != handleOfName_.end() ? known->second : Open(writer, name);
    if (handle < 0)
        Fail(kErrorFont, "no installed font fits '" + platform::ToUtf8(name) + "'");
    return handle;
}

int FontTable::Open(ObjectWriter& writer, const std::wstring& name) {
    handleOfName_[name] = -1;
    const std::optional<FontLocation> location = LocateFont(name);
    if (!location)
        return -1;
    auto program = std::make_unique<FontProgram>(*location);
    fonts_.push_back(std::make_unique<EmbeddedFont>(std::move(program), writer.Allocate()));
    const int handle = static_cast<int>(fonts_.size() - 1);
    handleOfName_[name] = handle;
    return handle;
}

EmbeddedFont& FontTable::Get(int handle) {
    if (handle < 0 || static_cast<size_t>(handle) >= fonts_.size()) {
        Fail(kErrorHandle, "unknown font " + std::to_string(handle));
    }
    return *fonts_[handle];
}

void FontTable::WriteAll(ObjectWriter& writer) const {
    for (const auto& font : fonts_)
        font->Write(writer);
    for (const auto& font : fallbacks_)
        font->Write(writer);
}

EmbeddedFont* FontTable::FallbackFor(ObjectWriter& writer, char32_t character) {
    if (const auto known = fallbackOf_.find(character); known != fallbackOf_.end())
        return known->second;
    EmbeddedFont*& font = fallbackOf_[character];
    const std::optional<FontLocation> location = LocateFontFor(character);
    if (!location)
        return nullptr;
    const std::string key = location->file + "#" + std::to_string(location->index);
    if (const auto opened = fallbackOfFile_.find(key); opened != fallbackOfFile_.end())
        return font = opened->second;
    try {
        auto program = std::make_unique<FontProgram>(*location);
        fallbacks_.push_back(std::make_unique<EmbeddedFont>(std::move(program), writer.Allocate()));
        font = fallbacks_.back().get();
    } catch (const Failure&) {
        // An unusable font file stands for no font.
    }
    return fallbackOfFile_[key] = font;
}

std::vector<ShownPiece> FontTable::ShowText(ObjectWriter& writer, int handle,
                                            std::u32string_view text, double fontSize) {
    std::vector<EmbeddedFont*> chosen = {&Get(handle)};
    const auto fontFor = [&](char32_t character) {
        EmbeddedFont* font = chosen[0];
        if (!font->Covers(character)) {
            EmbeddedFont* fallback = FallbackFor(writer, character);
            font = fallback ? fallback : font;
        }
        const auto at = std::find(chosen.begin(), chosen.end(), font);
        if (at != chosen.end())
            return static_cast<int>(at - chosen.begin());
        chosen.push_back(font);
        return static_cast<int>(chosen.size() - 1);
    };
    std::vector<ShownPiece> shown;
    for (const DirectionalRun& run : VisualRuns(text)) {
        std::vector<FontPiece> pieces = PiecesByFont(text, run.start, run.length, fontFor);
        if (run.rightToLeft)
            std::reverse(pieces.begin(), pieces.end());
        for (const FontPiece& piece : pieces) {
            EmbeddedFont& font = *chosen[piece.font];
            ShownPiece& out = shown.emplace_back();
            out.fontId = font.id();
            out.operators = font.ShowTextOperators(text, piece.start, piece.length, run.rightToLeft,
                                                   fontSize, out.advance);
        }
    }
    return shown;
}

}  // namespace pdf
