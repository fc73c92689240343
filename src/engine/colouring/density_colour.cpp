#include "engine/colouring/density_colour.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "engine/core/count_grid.h"

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

void BuildPalette(Palette& palette, const DensitySettings& settings, const Gradient& gradient, bool white) {
    const DensitySettings defaults;
    const double inverseGamma = 1 / kGammaRange.Clamp(settings.gamma, defaults.gamma);
    const double fade = 1 - kVibrancyRange.Clamp(settings.vibrancy, defaults.vibrancy);
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

// Calls visit(column, row, H) for every pixel of the reduced picture, a
// stretch of columns at a time.
template <typename Visit>
void ForEachBlockSum(const CountGrid& counts, int block, int columns, int rows, Visit&& visit) {
    constexpr int kStretch = 256;
    std::array<std::int64_t, kStretch> sums;
    for (int row = 0; row < rows; ++row)
        for (int first = 0; first < columns; first += kStretch) {
            const int n = std::min(kStretch, columns - first);
            std::fill_n(sums.begin(), n, 0);
            for (int dy = 0; dy < block; ++dy) {
                const std::int32_t* line =
                    counts.Row(row * block + dy).data() + static_cast<std::size_t>(first) * block;
                if (block == 1) {
                    for (int c = 0; c < n; ++c) sums[c] += CountGrid::HitsOf(line[c]);
                } else {
                    for (int c = 0; c < n; ++c)
                        for (int dx = 0; dx < block; ++dx) sums[c] += CountGrid::HitsOf(line[c * block + dx]);
                }
            }
            for (int c = 0; c < n; ++c) visit(first + c, row, sums[c]);
        }
}

Histogram LitHistogram(const CountGrid& grid, int block) {
    Histogram histogram;
    ForEachBlockSum(grid, block, grid.Width() / block, grid.Height() / block,
                    [&](int, int, std::int64_t hits) {
                        if (hits > 0) histogram.Add(hits);
                    });
    return histogram;
}

bool Usable(const ToneReferences& tone) {
    return std::isfinite(tone.median) && std::isfinite(tone.reference) && tone.median > 0 &&
           tone.reference > 0;
}

// Sizes `out` for the counts and colours its pixels: store(column, row, r,
// g, b) for every one of them.
template <typename Out, typename Store>
void ColourPixels(const DensityCounts& counts, const DensitySettings& settings, const Gradient& gradient,
                  bool white, const std::optional<ToneReferences>& given, Out& out, Store&& store) {
    const int block = std::max(counts.block, 1);
    const CountGrid& grid = counts.counts;
    const int columns = grid.Width() / block;
    const int rows = grid.Height() / block;
    if (out.Width() != columns || out.Height() != rows) out.SetSize(columns, rows);
    const std::uint16_t background = white ? Picture16::kFull : 0;

    const ToneReferences tone =
        given && Usable(*given) ? *given : MeasureToneReferences(counts).value_or(ToneReferences{});
    Palette palette;
    BuildPalette(palette, settings, gradient, white);
    const auto perMedian = static_cast<float>(1 / tone.median);
    const double brightness = kBrightnessRange.Clamp(settings.brightness, DensitySettings().brightness);
    const auto scale = static_cast<float>(brightness / std::log1p(tone.reference / tone.median));
    ForEachBlockSum(grid, block, columns, rows, [&](int column, int row, std::int64_t hits) {
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

std::optional<ToneReferences> MeasureToneReferences(const DensityCounts& counts) {
    const Histogram histogram = LitHistogram(counts.counts, std::max(counts.block, 1));
    if (histogram.Lit() == 0) return std::nullopt;
    return ToneReferences{histogram.Quantile(0.5), histogram.Quantile(kReferenceShare)};
}

void DensityColour(const DensityCounts& counts, const DensitySettings& settings, const Gradient& gradient,
                   bool white, Picture16& out, const std::optional<ToneReferences>& tone) {
    ColourPixels(counts, settings, gradient, white, tone, out,
                 [&](int column, int row, std::uint16_t r, std::uint16_t g, std::uint16_t b) {
                     out.SetPixel(column, row, r, g, b);
                 });
}

void DensityColour(const DensityCounts& counts, const DensitySettings& settings, const Gradient& gradient,
                   bool white, Picture& out, const std::optional<ToneReferences>& tone) {
    ColourPixels(counts, settings, gradient, white, tone, out,
                 [&](int column, int row, std::uint16_t r, std::uint16_t g, std::uint16_t b) {
                     out.Words()[static_cast<std::size_t>(row) * out.Width() + column] =
                         DitheredWord(r, g, b, column, row);
                 });
}

std::vector<float> DensityLevels(const DensityCounts& counts) {
    const int block = std::max(counts.block, 1);
    const CountGrid& grid = counts.counts;
    const int columns = grid.Width() / block;
    const int rows = grid.Height() / block;
    const ToneReferences tone = MeasureToneReferences(counts).value_or(ToneReferences{});
    const double top = std::log1p(tone.reference / tone.median);
    std::vector<float> levels(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
    ForEachBlockSum(grid, block, columns, rows, [&](int column, int row, std::int64_t hits) {
        levels[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) + column] =
            static_cast<float>(std::log1p(static_cast<double>(hits) / tone.median) / top);
    });
    return levels;
}

Picture16 DensityColour(const DensityCounts& counts, const DensitySettings& settings,
                        const Gradient& gradient, bool white) {
    Picture16 out;
    DensityColour(counts, settings, gradient, white, out);
    return out;
}

}  // namespace zephyrin
