#include "quantize.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "size_limits.h"

namespace imaging {
namespace {

constexpr unsigned kLevels = 32;  // 5 bits per channel
constexpr unsigned kBins = kLevels * kLevels * kLevels;
constexpr int kAxisWeight[3] = {2, 3, 1};  // green differences show most, blue least

unsigned BinOf(const uint8_t* rgb) {
    return (rgb[0] >> 3) << 10 | (rgb[1] >> 3) << 5 | rgb[2] >> 3;
}

struct Bin {
    uint64_t count = 0;
    uint64_t sum[3] = {};
};

using Histogram = std::vector<Bin>;

struct Box {
    unsigned low[3];
    unsigned high[3];  // inclusive
    uint64_t count = 0;

    int LongestAxis() const {
        int axis = 0;
        for (int c = 1; c < 3; ++c) {
            if ((high[c] - low[c]) * kAxisWeight[c] >
                (high[axis] - low[axis]) * kAxisWeight[axis]) {
                axis = c;
            }
        }
        return axis;
    }
    bool Splittable() const { return high[0] > low[0] || high[1] > low[1] || high[2] > low[2]; }
    uint64_t Volume() const {
        return uint64_t{high[0] - low[0] + 1} * (high[1] - low[1] + 1) * (high[2] - low[2] + 1);
    }
};

template <typename Visit>
void ForEachBin(const Box& box, Visit&& visit) {
    for (unsigned r = box.low[0]; r <= box.high[0]; ++r) {
        for (unsigned g = box.low[1]; g <= box.high[1]; ++g) {
            for (unsigned b = box.low[2]; b <= box.high[2]; ++b) {
                visit(std::array<unsigned, 3>{r, g, b}, r << 10 | g << 5 | b);
            }
        }
    }
}

// The smallest box around the populated bins inside box, with their count.
Box Shrink(const Box& box, const Histogram& histogram) {
    Box tight{{kLevels, kLevels, kLevels}, {0, 0, 0}, 0};
    ForEachBin(box, [&](const std::array<unsigned, 3>& at, unsigned bin) {
        if (histogram[bin].count == 0) {
            return;
        }
        tight.count += histogram[bin].count;
        for (int c = 0; c < 3; ++c) {
            tight.low[c] = std::min(tight.low[c], at[c]);
            tight.high[c] = std::max(tight.high[c], at[c]);
        }
    });
    return tight;
}

// Splits at the population median along the box's longest side.
std::pair<Box, Box> Split(const Box& box, const Histogram& histogram) {
    int axis = box.LongestAxis();
    std::vector<uint64_t> slices(kLevels, 0);
    ForEachBin(box, [&](const std::array<unsigned, 3>& at, unsigned bin) {
        slices[at[axis]] += histogram[bin].count;
    });
    uint64_t seen = 0;
    unsigned cut = box.low[axis];
    while (cut < box.high[axis] - 1 && (seen += slices[cut]) < box.count / 2) {
        ++cut;
    }
    Box lower = box, upper = box;
    lower.high[axis] = cut;
    upper.low[axis] = cut + 1;
    return {Shrink(lower, histogram), Shrink(upper, histogram)};
}

// The next box to split: the most populated for the first half of the palette, then the
// largest, as population alone would spend the palette on a few crowded regions.
Box* NextToSplit(std::vector<Box>& boxes, unsigned maxColors) {
    bool byVolume = boxes.size() * 2 > maxColors;
    Box* best = nullptr;
    for (Box& box : boxes) {
        if (!box.Splittable()) {
            continue;
        }
        uint64_t score = byVolume ? box.Volume() : box.count;
        uint64_t bestScore = best ? (byVolume ? best->Volume() : best->count) : 0;
        if (!best || score > bestScore) {
            best = &box;
        }
    }
    return best;
}

std::vector<uint8_t> MedianCutPalette(const Histogram& histogram, unsigned maxColors) {
    std::vector<Box> boxes = {
        Shrink(Box{{0, 0, 0}, {kLevels - 1, kLevels - 1, kLevels - 1}, 0}, histogram)};
    while (boxes.size() < maxColors) {
        Box* box = NextToSplit(boxes, maxColors);
        if (!box) {
            break;
        }
        auto [lower, upper] = Split(*box, histogram);
        *box = lower;
        boxes.push_back(upper);
    }
    std::vector<uint8_t> palette;
    for (const Box& box : boxes) {
        uint64_t sum[3] = {};
        ForEachBin(box, [&](const std::array<unsigned, 3>&, unsigned bin) {
            for (int c = 0; c < 3; ++c) {
                sum[c] += histogram[bin].sum[c];
            }
        });
        for (int c = 0; c < 3; ++c) {
            palette.push_back(
                static_cast<uint8_t>(box.count ? (sum[c] + box.count / 2) / box.count : 0));
        }
    }
    return palette;
}

uint8_t Nearest(const std::vector<uint8_t>& palette, const uint8_t* rgb) {
    unsigned best = 0;
    int bestDistance = 1 << 30;
    for (size_t i = 0; i + 2 < palette.size(); i += 3) {
        int dr = palette[i] - rgb[0], dg = palette[i + 1] - rgb[1], db = palette[i + 2] - rgb[2];
        int distance = 2 * dr * dr + 3 * dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<unsigned>(i / 3);
        }
    }
    return static_cast<uint8_t>(best);
}

// Every pixel to its nearest entry, looked up once per histogram bin (at the bin's centre).
std::vector<uint8_t> MapPixels(const Bitmap& rgb, const std::vector<uint8_t>& palette) {
    std::vector<int16_t> cache(kBins, -1);
    size_t pixels = CheckedMul(rgb.width, rgb.height);
    std::vector<uint8_t> indices(pixels);
    for (size_t i = 0; i < pixels; ++i) {
        const uint8_t* color = &rgb.samples[3 * i];
        int16_t& entry = cache[BinOf(color)];
        if (entry < 0) {
            uint8_t centre[3];
            for (int c = 0; c < 3; ++c) {
                centre[c] = static_cast<uint8_t>((color[c] & 0xF8) | 4);
            }
            entry = Nearest(palette, centre);
        }
        indices[i] = static_cast<uint8_t>(entry);
    }
    return indices;
}

// The picture's own colours when there are at most maxColors of them.
std::optional<PaletteImage> ExactPalette(const Bitmap& rgb, unsigned maxColors) {
    std::unordered_map<uint32_t, uint8_t> entries;
    size_t pixels = CheckedMul(rgb.width, rgb.height);
    PaletteImage image{std::vector<uint8_t>(pixels), {}};
    for (size_t i = 0; i < pixels; ++i) {
        const uint8_t* color = &rgb.samples[3 * i];
        uint32_t key = uint32_t{color[0]} << 16 | color[1] << 8 | color[2];
        auto [entry, added] = entries.try_emplace(key, static_cast<uint8_t>(entries.size()));
        if (added && entries.size() > maxColors) {
            return std::nullopt;
        }
        if (added) {
            image.palette.insert(image.palette.end(), color, color + 3);
        }
        image.indices[i] = entry->second;
    }
    return image;
}

}  // namespace

PaletteImage QuantizeRgb(const Bitmap& rgb, unsigned maxColors) {
    if (std::optional<PaletteImage> exact = ExactPalette(rgb, maxColors)) {
        return std::move(*exact);
    }
    Histogram histogram(kBins);
    size_t pixels = CheckedMul(rgb.width, rgb.height);
    for (size_t i = 0; i < pixels; ++i) {
        const uint8_t* color = &rgb.samples[3 * i];
        Bin& bin = histogram[BinOf(color)];
        ++bin.count;
        for (int c = 0; c < 3; ++c) {
            bin.sum[c] += color[c];
        }
    }
    PaletteImage image;
    image.palette = MedianCutPalette(histogram, maxColors);
    image.indices = MapPixels(rgb, image.palette);
    return image;
}

}  // namespace imaging
