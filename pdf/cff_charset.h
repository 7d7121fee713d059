#pragma once

// The CID of each glyph of a CID-keyed CFF font program (the "charset" of the Compact Font
// Format). A PDF CIDFont with CFF outlines selects glyphs by CID through this table.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pdf {

// For a CID-keyed CFF table: element g is the CID of glyph g. An empty vector for a name-keyed
// CFF table, whose glyphs are selected by glyph index. nullopt when the table is damaged.
std::optional<std::vector<uint16_t>> ReadCffGlyphCids(std::span<const uint8_t> cff);

}  // namespace pdf
