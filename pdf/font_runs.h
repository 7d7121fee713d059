#pragma once

// One line of text cut into the pieces it is shown in: runs of one direction in visual order
// (the Unicode bidirectional algorithm, UAX #9), each cut further where another font has to show
// the characters the chosen font lacks.

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace pdf {

// A logical range of the text, all of one direction.
struct DirectionalRun {
    size_t start = 0;
    size_t length = 0;
    bool rightToLeft = false;
    bool operator==(const DirectionalRun&) const = default;
};

// The runs of text in visual order, left to right. The paragraph direction comes from the first
// strong character (left to right when there is none); trailing blanks take the paragraph's
// direction. Pure; any thread.
std::vector<DirectionalRun> VisualRuns(std::u32string_view text);

// A logical range of the text shown by one font.
struct FontPiece {
    size_t start = 0;
    size_t length = 0;
    int font = 0;
    bool operator==(const FontPiece&) const = default;
};

// Cuts text[start, start + length) into pieces, in logical order, each of the font number
// fontFor gives its characters; combining marks, joiners, variation selectors and emoji
// modifiers stay with the character before them. Pure apart from fontFor.
std::vector<FontPiece> PiecesByFont(std::u32string_view text, size_t start, size_t length,
                                    const std::function<int(char32_t)>& fontFor);

}  // namespace pdf
