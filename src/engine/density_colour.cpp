#include "engine/density_colour.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "engine/engine.h"

namespace zephyrin {
namespace {

// The densest pixels above this share of the lit ones all reach level 1, so
// that a few hot pixels (a fixed point, the restarts of a formula) do not
// set the scale for the whole picture.
constexpr double kReferenceShare = 0.998;

// The colour of every level, so that a pixel costs one logarithm and a
// lookup. Indexed by sqrt(a), which spreads the steep start of a^(1/gamma)
// over many entries; linear between entries.
constexpr int kPaletteSteps = 4096;
using Palette = std::array<float, 3 * (kPaletteSteps + 1)>;

double Clamped(double value, SettingRange range, double fallback) {
    if (!std::isfinite(value)) return fallback;
    return std::clamp(value, range.low, range.high);
}

void BuildPalette(Palette& palette, const DensitySettings& settings, const Gradient& gradient, bool white) {
    const DensitySettings defaults;
    const double inverseGamma = 1 / Clamped(settings.gamma, kGammaRange, defaults.gamma);
    const double fade = 1 - Clamped(settings.vibrancy, kVibrancyRange, defaults.vibrancy);
    for (int k = 0; k <= kPaletteSteps; ++k) {
        const double u = static_cast<double>(k) / kPaletteSteps;
        const double t = std::pow(u * u, inverseGamma);
        const GradientColour c = gradient.At(static_cast<float>(t));
        const double grey = 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
        std::array<double, 3> rgb{c.r, c.g, c.b};
        for (std::size_t i = 0; i < 3; ++i) {
            double value = std::clamp(rgb[i] + fade * t * (grey - rgb[i]), 0.0, 1.0);
            if (white) value = 1 - value;
            palette[3 * static_cast<std::size_t>(k) + i] = static_cast<float>(value * Picture16::kFull);
        }
    }
}

// A histogram of the lit pixels' H in sixteen bins per octave, which finds
// the median and the reference without sorting (nor memory to sort in).
class Histogram {
public:
    void Add(std::int64_t hits) {
        ++bins_[Bin(hits)];
        ++lit_;
    }
    std::int64_t Lit() const { return lit_; }

    // The lower edge of the bin that holds the pixel of rank ceil(share *
    // lit), counted from the faintest.
    double Quantile(double share) const {
        const auto rank = std::max<std::int64_t>(1, static_cast<std::int64_t>(std::ceil(share * lit_)));
        std::int64_t seen = 0;
        std::size_t bin = 0;
        while (bin + 1 < bins_.size() && (seen += bins_[bin]) < rank) ++bin;
        return std::ldexp(1 + static_cast<double>(bin % kPerOctave) / kPerOctave,
                          static_cast<int>(bin / kPerOctave));
    }

private:
    static constexpr std::size_t kPerOctave = 16;
    // Exponent and top four fraction bits of the double; the last bin takes
    // whatever a huge block could add up to beyond it.
    static std::size_t Bin(std::int64_t hits) {
        const auto bits = std::bit_cast<std::uint64_t>(static_cast<double>(hits));
        return std::min<std::size_t>((bits >> 48) - (std::uint64_t{1023} << 4), kBins - 1);
    }

    static constexpr std::size_t kBins = 64 * kPerOctave;
    std::array<std::int64_t, kBins> bins_{};
    std::int64_t lit_ = 0;
};

inline std::int64_t Rise(std::int32_t count) {
    return count > kUntouchedCount ? std::int64_t{count} - kUntouchedCount : 0;
}

// Calls visit(column, row, H) for every pixel of the reduced picture. The
// counts are stored column by column, so the work goes column by column too,
// summing a stretch of rows at a time.
// The same for counts stored row by row, a stretch of columns at a time.
template <typename Visit>
void ForEachBlockSumByRow(const DensityCounts& counts, int columns, int rows, Visit&& visit) {
    constexpr int kStretch = 256;
    std::array<std::int64_t, kStretch> sums;
    const int block = counts.block;
    const auto width = static_cast<std::size_t>(counts.width);
    for (int row = 0; row < rows; ++row)
        for (int first = 0; first < columns; first += kStretch) {
            const int n = std::min(kStretch, columns - first);
            std::fill_n(sums.begin(), n, 0);
            for (int dy = 0; dy < block; ++dy) {
                const std::int32_t* line = counts.hitList.data() +
                                           (static_cast<std::size_t>(row) * block + dy) * width +
                                           static_cast<std::size_t>(first) * block;
                if (block == 1) {
                    for (int c = 0; c < n; ++c) sums[c] += Rise(line[c]);
                } else {
                    for (int c = 0; c < n; ++c)
                        for (int dx = 0; dx < block; ++dx) sums[c] += Rise(line[c * block + dx]);
                }
            }
            for (int c = 0; c < n; ++c) visit(first + c, row, sums[c]);
        }
}

template <typename Visit>
void ForEachBlockSum(const DensityCounts& counts, int columns, int rows, Visit&& visit) {
    if (counts.byRow) {
        ForEachBlockSumByRow(counts, columns, rows, visit);
        return;
    }
    constexpr int kStretch = 256;
    std::array<std::int64_t, kStretch> sums;
    const int block = counts.block;
    for (int column = 0; column < columns; ++column)
        for (int first = 0; first < rows; first += kStretch) {
            const int n = std::min(kStretch, rows - first);
            std::fill_n(sums.begin(), n, 0);
            for (int dx = 0; dx < block; ++dx) {
                const std::int32_t* list = counts.hitList.data() +
                                           (static_cast<std::size_t>(column) * block + dx) *
                                               static_cast<std::size_t>(counts.listSide) +
                                           static_cast<std::size_t>(first) * block;
                if (block == 1) {
                    for (int r = 0; r < n; ++r) sums[r] += Rise(list[r]);
                } else {
                    for (int r = 0; r < n; ++r)
                        for (int dy = 0; dy < block; ++dy) sums[r] += Rise(list[r * block + dy]);
                }
            }
            for (int r = 0; r < n; ++r) visit(column, first + r, sums[r]);
        }
}

// Sizes `out` for the counts and colours its pixels: store(column, row, r,
// g, b) for every one of them.
template <typename Out, typename Store>
void ColourPixels(const DensityCounts& counts, const DensitySettings& settings, const Gradient& gradient,
                  bool white, Out& out, Store&& store) {
    const int block = std::max(counts.block, 1);
    const int width = std::max(counts.width, 0) / block;
    const int height = std::max(counts.height, 0) / block;
    if (out.Width() != width || out.Height() != height) out.SetSize(width, height);
    const std::uint16_t background = white ? Picture16::kFull : 0;

    // Only the part the hit list covers has hits; the rest stays background.
    const std::size_t side = static_cast<std::size_t>(std::max(counts.listSide, 0));
    const std::size_t pixels = static_cast<std::size_t>(std::max(counts.width, 0)) *
                               static_cast<std::size_t>(std::max(counts.height, 0));
    const bool listWhole =
        counts.byRow ? counts.hitList.size() >= pixels : counts.hitList.size() >= side * side;
    const int covered = counts.byRow ? std::max({counts.width, counts.height, 0}) : counts.listSide;
    const int columns = listWhole ? std::min<int>(counts.width, covered) / block : 0;
    const int rows = listWhole ? std::min<int>(counts.height, covered) / block : 0;
    if (columns < width || rows < height)
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column)
                store(column, row, background, background, background);

    Histogram histogram;
    DensityCounts blocks = counts;
    blocks.block = block;
    ForEachBlockSum(blocks, columns, rows, [&](int, int, std::int64_t hits) {
        if (hits > 0) histogram.Add(hits);
    });

    Palette palette;
    BuildPalette(palette, settings, gradient, white);
    const double median = histogram.Lit() > 0 ? histogram.Quantile(0.5) : 1;
    const double reference = histogram.Lit() > 0 ? histogram.Quantile(kReferenceShare) : 1;
    const auto perMedian = static_cast<float>(1 / median);
    const double brightness = Clamped(settings.brightness, kBrightnessRange, DensitySettings().brightness);
    const auto scale = static_cast<float>(brightness / std::log1p(reference / median));
    ForEachBlockSum(blocks, columns, rows, [&](int column, int row, std::int64_t hits) {
        if (hits == 0) {
            store(column, row, background, background, background);
            return;
        }
        const float a = std::min(std::log(1.0f + static_cast<float>(hits) * perMedian) * scale, 1.0f);
        const float u = std::sqrt(a) * kPaletteSteps;
        const int i = std::min(static_cast<int>(u), kPaletteSteps - 1);
        const float f = u - static_cast<float>(i);
        const float* p = palette.data() + 3 * i;
        std::uint16_t rgb[3];
        for (int c = 0; c < 3; ++c) rgb[c] = static_cast<std::uint16_t>(p[c] + (p[c + 3] - p[c]) * f + 0.5f);
        store(column, row, rgb[0], rgb[1], rgb[2]);
    });
}

}  // namespace

void DensityColour(const DensityCounts& counts, const DensitySettings& settings, const Gradient& gradient,
                   bool white, Picture16& out) {
    ColourPixels(counts, settings, gradient, white, out,
                 [&](int column, int row, std::uint16_t r, std::uint16_t g, std::uint16_t b) {
                     out.SetPixel(column, row, r, g, b);
                 });
}

void DensityColour(const DensityCounts& counts, const DensitySettings& settings, const Gradient& gradient,
                   bool white, Picture& out) {
    ColourPixels(counts, settings, gradient, white, out,
                 [&](int column, int row, std::uint16_t r, std::uint16_t g, std::uint16_t b) {
                     out.Words()[static_cast<std::size_t>(row) * out.Width() + column] =
                         DitheredWord(r, g, b, column, row);
                 });
}

Picture16 DensityColour(const DensityCounts& counts, const DensitySettings& settings,
                        const Gradient& gradient, bool white) {
    Picture16 out;
    DensityColour(counts, settings, gradient, white, out);
    return out;
}

}  // namespace zephyrin
