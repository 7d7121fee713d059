#include "font_runs.h"

#include <fribidi.h>
#include <hb.h>

#include <algorithm>
#include <numeric>

namespace pdf {
namespace {

// The resolved embedding level of every character, in logical order, after the rules for a
// single line.
std::vector<FriBidiLevel> EmbeddingLevels(std::u32string_view text) {
    const auto length = static_cast<FriBidiStrIndex>(text.size());
    const auto* characters = reinterpret_cast<const FriBidiChar*>(text.data());
    std::vector<FriBidiCharType> types(text.size());
    std::vector<FriBidiBracketType> brackets(text.size());
    std::vector<FriBidiLevel> levels(text.size(), 0);
    fribidi_get_bidi_types(characters, length, types.data());
    fribidi_get_bracket_types(characters, length, types.data(), brackets.data());
    FriBidiParType direction = FRIBIDI_PAR_ON;
    if (!fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), length, &direction,
                                             levels.data())) {
        return std::vector<FriBidiLevel>(text.size(), 0);
    }
    // Only the levels are wanted here (trailing blanks reset); the runs are ordered below.
    if (fribidi_reorder_line(0, types.data(), length, 0, direction, levels.data(), nullptr,
                             nullptr) == 0) {
        return std::vector<FriBidiLevel>(text.size(), 0);
    }
    return levels;
}

// Reverses every sequence of runs at the given level or higher (UAX #9, rule L2).
void ReverseFrom(const std::vector<FriBidiLevel>& runLevels, std::vector<size_t>& order,
                 FriBidiLevel level) {
    size_t i = 0;
    while (i < order.size()) {
        if (runLevels[order[i]] < level) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < order.size() && runLevels[order[end]] >= level) {
            ++end;
        }
        std::reverse(order.begin() + i, order.begin() + end);
        i = end;
    }
}

bool StaysWithPrevious(char32_t character) {
    const hb_unicode_general_category_t category =
        hb_unicode_general_category(hb_unicode_funcs_get_default(), character);
    const bool mark = category == HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK ||
                      category == HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK ||
                      category == HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK;
    const bool joiner = character == 0x200C || character == 0x200D;
    const bool selector = (character >= 0xFE00 && character <= 0xFE0F) ||
                          (character >= 0xE0100 && character <= 0xE01EF);
    const bool emojiModifier = character >= 0x1F3FB && character <= 0x1F3FF;
    return mark || joiner || selector || emojiModifier;
}

}  // namespace

std::vector<DirectionalRun> VisualRuns(std::u32string_view text) {
    const std::vector<FriBidiLevel> levels = EmbeddingLevels(text);
    std::vector<DirectionalRun> runs;
    std::vector<FriBidiLevel> runLevels;
    for (size_t i = 0; i < text.size(); ++i) {
        if (runs.empty() || levels[i] != runLevels.back()) {
            runs.push_back({i, 0, (levels[i] & 1) != 0});
            runLevels.push_back(levels[i]);
        }
        ++runs.back().length;
    }
    std::vector<size_t> order(runs.size());
    std::iota(order.begin(), order.end(), 0);
    const FriBidiLevel highest =
        runLevels.empty() ? 0 : *std::max_element(runLevels.begin(), runLevels.end());
    for (FriBidiLevel level = highest; level >= 1; --level) {
        ReverseFrom(runLevels, order, level);
    }
    std::vector<DirectionalRun> visual;
    for (const size_t index : order) {
        visual.push_back(runs[index]);
    }
    return visual;
}

std::vector<FontPiece> PiecesByFont(std::u32string_view text, size_t start, size_t length,
                                    const std::function<int(char32_t)>& fontFor) {
    std::vector<FontPiece> pieces;
    for (size_t i = start; i < start + length; ++i) {
        const bool attached = !pieces.empty() && StaysWithPrevious(text[i]);
        const int font = attached ? pieces.back().font : fontFor(text[i]);
        if (pieces.empty() || font != pieces.back().font) {
            pieces.push_back({i, 0, font});
        }
        ++pieces.back().length;
    }
    return pieces;
}

}  // namespace pdf
