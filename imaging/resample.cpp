#include "resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "bitmap_layout.h"
#include "codec.h"
#include "pixel_convert.h"
#include "size_limits.h"

namespace imaging {
namespace {

double BoxKernel(double x) {
    return x >= -0.5 && x < 0.5 ? 1.0 : 0.0;
}

double TriangleKernel(double x) {
    x = std::fabs(x);
    return x < 1 ? 1 - x : 0;
}

// Catmull-Rom: the cubic convolution kernel with a = -0.5.
double CubicKernel(double x) {
    x = std::fabs(x);
    if (x < 1) {
        return (1.5 * x - 2.5) * x * x + 1;
    }
    if (x < 2) {
        return ((-0.5 * x + 2.5) * x - 4) * x + 2;
    }
    return 0;
}

// The source pixels and weights that make one target pixel along one axis.
struct Taps {
    uint32_t first = 0;
    uint32_t count = 0;
    size_t weights = 0;  // offset into AxisPlan::weights
};

struct AxisPlan {
    std::vector<Taps> taps;
    std::vector<float> weights;
    uint32_t maxCount = 0;
};

Taps PlanPixel(uint32_t index, uint32_t source, double scale, const ResampleFilter& filter,
               std::vector<float>& weights) {
    double widen = std::max(1.0, scale);
    double center = (index + 0.5) * scale - 0.5;
    double reach = filter.support * widen;
    int64_t last = static_cast<int64_t>(source) - 1;
    int64_t left = static_cast<int64_t>(std::ceil(center - reach));
    int64_t right = static_cast<int64_t>(std::floor(center + reach));
    Taps taps;
    taps.first = static_cast<uint32_t>(std::clamp<int64_t>(left, 0, last));
    taps.count = static_cast<uint32_t>(std::clamp<int64_t>(right, 0, last) - taps.first + 1);
    taps.weights = weights.size();
    weights.resize(weights.size() + taps.count, 0.0f);
    double total = 0;
    for (int64_t k = left; k <= right; ++k) {
        double weight = filter.kernel((k - center) / widen);
        size_t slot = static_cast<size_t>(std::clamp<int64_t>(k, 0, last) - taps.first);
        weights[taps.weights + slot] += static_cast<float>(weight);
        total += weight;
    }
    for (uint32_t i = 0; i < taps.count && total != 0; ++i) {
        weights[taps.weights + i] = static_cast<float>(weights[taps.weights + i] / total);
    }
    return taps;
}

AxisPlan PlanAxis(uint32_t source, uint32_t target, const ResampleFilter& filter) {
    AxisPlan plan;
    plan.taps.reserve(target);
    double scale = static_cast<double>(source) / target;
    for (uint32_t i = 0; i < target; ++i) {
        plan.taps.push_back(PlanPixel(i, source, scale, filter, plan.weights));
        plan.maxCount = std::max(plan.maxCount, plan.taps.back().count);
    }
    return plan;
}

// How pixels are laid out in the float rows: colour components, then alpha when present.
struct Layout {
    unsigned colors;
    unsigned channels;
    bool alpha;
    bool sixteen;
    float maximum;
};

float SampleValue(const uint8_t* data, size_t index, bool sixteen) {
    return sixteen ? static_cast<float>(data[2 * index] << 8 | data[2 * index + 1]) : data[index];
}

// One source row as floats, colour weighted by alpha.
void LoadRow(const Bitmap& bitmap, const Layout& layout, uint32_t y, float* out) {
    const uint8_t* row = bitmap.samples.data() + y * bitmap.stride;
    const uint8_t* alpha = AlphaRow(bitmap, y);
    for (uint32_t x = 0; x < bitmap.width; ++x, out += layout.channels) {
        float coverage = layout.alpha ? SampleValue(alpha, x, layout.sixteen) : layout.maximum;
        for (unsigned c = 0; c < layout.colors; ++c) {
            out[c] = SampleValue(row, size_t{x} * layout.colors + c, layout.sixteen) * coverage /
                     layout.maximum;
        }
        if (layout.alpha) {
            out[layout.colors] = coverage;
        }
    }
}

void FilterRow(const float* in, const AxisPlan& columns, unsigned channels, float* out) {
    for (const Taps& taps : columns.taps) {
        const float* weights = columns.weights.data() + taps.weights;
        const float* pixel = in + size_t{taps.first} * channels;
        for (unsigned c = 0; c < channels; ++c) {
            float sum = 0;
            for (uint32_t k = 0; k < taps.count; ++k) {
                sum += weights[k] * pixel[size_t{k} * channels + c];
            }
            *out++ = sum;
        }
    }
}

void StoreSample(uint8_t* data, size_t index, float value, const Layout& layout) {
    long rounded = std::lround(std::clamp(value, 0.0f, layout.maximum));
    if (layout.sixteen) {
        data[2 * index] = static_cast<uint8_t>(rounded >> 8);
        data[2 * index + 1] = static_cast<uint8_t>(rounded);
    } else {
        data[index] = static_cast<uint8_t>(rounded);
    }
}

// One target row from floats: colour divided by alpha again, rounded and clamped.
void StoreRow(const float* in, const Layout& layout, uint32_t y, Bitmap& bitmap) {
    uint8_t* row = bitmap.samples.data() + y * bitmap.stride;
    uint8_t* alpha = AlphaRow(bitmap, y);
    for (uint32_t x = 0; x < bitmap.width; ++x, in += layout.channels) {
        float coverage =
            layout.alpha ? std::clamp(in[layout.colors], 0.0f, layout.maximum) : layout.maximum;
        float unweight = coverage > 0 ? layout.maximum / coverage : 0;
        for (unsigned c = 0; c < layout.colors; ++c) {
            StoreSample(row, size_t{x} * layout.colors + c, in[c] * unweight, layout);
        }
        if (layout.alpha) {
            StoreSample(alpha, x, coverage, layout);
        }
    }
}

// Horizontally filtered source rows, kept for as long as the vertical filter needs them.
class RowWindow {
public:
    RowWindow(uint32_t rows, size_t rowFloats)
        : rows_(rows), rowFloats_(rowFloats), data_(CheckedMul(rows, rowFloats)) {}
    float* Row(uint32_t sourceRow) { return data_.data() + (sourceRow % rows_) * rowFloats_; }

private:
    uint32_t rows_;
    size_t rowFloats_;
    std::vector<float> data_;
};

void BlendRows(RowWindow& window, const Taps& taps, const float* weights, size_t rowFloats,
               float* out) {
    std::fill(out, out + rowFloats, 0.0f);
    for (uint32_t k = 0; k < taps.count; ++k) {
        const float* row = window.Row(taps.first + k);
        for (size_t i = 0; i < rowFloats; ++i) {
            out[i] += weights[k] * row[i];
        }
    }
}

Bitmap ResampleDirect(const Bitmap& input, uint32_t width, uint32_t height,
                      const ResampleFilter& filter) {
    Layout layout{ComponentCount(input.space), 0, !input.alpha.empty(),
                  input.bitsPerComponent == 16, input.bitsPerComponent == 16 ? 65535.0f : 255.0f};
    layout.channels = layout.colors + (layout.alpha ? 1 : 0);
    AxisPlan columns = PlanAxis(input.width, width, filter);
    AxisPlan rows = PlanAxis(input.height, height, filter);
    Bitmap result = MakeBitmap(width, height, input.space, input.bitsPerComponent);
    if (layout.alpha) {
        AddOpaqueAlpha(result);
    }
    size_t rowFloats = CheckedMul(width, layout.channels);
    RowWindow window(rows.maxCount, rowFloats);
    std::vector<float> sourceRow(CheckedMul(input.width, layout.channels));
    std::vector<float> targetRow(rowFloats);
    uint32_t next = 0;
    for (uint32_t y = 0; y < height; ++y) {
        const Taps& taps = rows.taps[y];
        for (next = std::max(next, taps.first); next < taps.first + taps.count; ++next) {
            LoadRow(input, layout, next, sourceRow.data());
            FilterRow(sourceRow.data(), columns, layout.channels, window.Row(next));
        }
        BlendRows(window, taps, rows.weights.data() + taps.weights, rowFloats, targetRow.data());
        StoreRow(targetRow.data(), layout, y, result);
    }
    return result;
}

}  // namespace

ResampleFilter FilterForMode(int mode) {
    switch (mode) {
        case 0:
            return {BoxKernel, 0.5};
        case 1:
            return {TriangleKernel, 1.0};
        case 2:
            return {CubicKernel, 2.0};
        default:
            Fail("unknown resample mode " + std::to_string(mode));
    }
}

Bitmap ResampleBitmap(const Bitmap& source, uint32_t width, uint32_t height,
                      const ResampleFilter& filter) {
    CheckImageSize(width, height);
    bool direct = source.space != ColorSpace::kIndexed && source.bitsPerComponent >= 8;
    if (direct) {
        return ResampleDirect(source, width, height, filter);
    }
    return ResampleDirect(ToDirectColor(source, true), width, height, filter);
}

unsigned PrescaleDenominator(uint32_t sourceWidth, uint32_t sourceHeight, uint32_t width,
                             uint32_t height) {
    for (unsigned denominator : {8u, 4u, 2u}) {
        uint64_t scaledWidth = (uint64_t{sourceWidth} + denominator - 1) / denominator;
        uint64_t scaledHeight = (uint64_t{sourceHeight} + denominator - 1) / denominator;
        if (scaledWidth >= 2ull * width && scaledHeight >= 2ull * height) {
            return denominator;
        }
    }
    return 1;
}

}  // namespace imaging
