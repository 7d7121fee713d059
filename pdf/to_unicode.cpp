#include "to_unicode.h"

#include <span>
#include <vector>

#include "pdf_syntax.h"

namespace pdf {
namespace {

// A bfchar section holds at most 100 entries.
constexpr size_t kEntriesPerSection = 100;

std::string CodeHex(uint16_t code) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(code >> 8), static_cast<uint8_t>(code)};
    return HexString(bytes);
}

std::string TextHex(const std::u32string& text) {
    std::string utf16;
    for (const char32_t c : text)
        AppendUtf16Be(utf16, c);
    return HexString({reinterpret_cast<const uint8_t*>(utf16.data()), utf16.size()});
}

}  // namespace

std::string ToUnicodeCMap(const std::map<uint16_t, std::u32string>& textOfCode) {
    std::vector<std::string> entries;
    for (const auto& [code, text] : textOfCode) {
        if (!text.empty())
            entries.push_back(CodeHex(code) + " " + TextHex(text) + "\n");
    }
    std::string cmap =
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo <</Registry (Adobe) /Ordering (UCS) /Supplement 0>> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
        "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    for (size_t first = 0; first < entries.size(); first += kEntriesPerSection) {
        const size_t count = std::min(kEntriesPerSection, entries.size() - first);
        cmap += std::to_string(count) + " beginbfchar\n";
        for (size_t i = first; i < first + count; ++i)
            cmap += entries[i];
        cmap += "endbfchar\n";
    }
    return cmap + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

}  // namespace pdf
