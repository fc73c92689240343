#include "engine/colouring/density_rows.h"

#include <cmath>

#include "imaging/picture16.h"

namespace zephyrin {
namespace {

// The colour of every level, so that a pixel costs one logarithm and a
// lookup. Indexed by sqrt(a), which spreads the steep start of a^(1/gamma)
// over many entries; linear between entries.
constexpr int kPaletteSteps = 4096;

std::vector<float> BuildPalette(const DensitySettings& settings, const Gradient& gradient, bool white) {
    std::vector<float> palette(3 * (kPaletteSteps + 1));
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
    return palette;
}

bool Usable(const ToneReferences& tone) {
    return std::isfinite(tone.median) && std::isfinite(tone.reference) && tone.median > 0 &&
           tone.reference > 0;
}

}  // namespace

DensityRows::DensityRows(const DensityCounts& counts, const DensitySettings& settings,
                         const Gradient& gradient, bool white, const std::optional<ToneReferences>& given,
                         ThreadPool* pool)
    : grid_(counts.counts),
      block_(std::max(counts.block, 1)),
      columns_(grid_.Width() / block_),
      rows_(grid_.Height() / block_),
      background_(white ? Picture16::kFull : 0),
      palette_(BuildPalette(settings, gradient, white)) {
    const ToneReferences tone =
        given && Usable(*given) ? *given : MeasureToneReferences(counts, pool).value_or(ToneReferences{});
    perMedian_ = static_cast<float>(1 / tone.median);
    const double brightness = kBrightnessRange.Clamp(settings.brightness, DensitySettings().brightness);
    scale_ = static_cast<float>(brightness / std::log1p(tone.reference / tone.median));
}

template <typename Store>
void DensityRows::ColourRow(int row, Store&& store) const {
    ForEachBlockSumOfRow(grid_, block_, row, columns_, [&](int column, std::int64_t hits) {
        if (hits == 0) {
            store(column, background_, background_, background_);
            return;
        }
        const float a = std::min(std::log(1.0f + static_cast<float>(hits) * perMedian_) * scale_, 1.0f);
        const float u = std::sqrt(a) * kPaletteSteps;
        const int i = std::min(static_cast<int>(u), kPaletteSteps - 1);
        const float f = u - static_cast<float>(i);
        const float* p = palette_.data() + 3 * i;
        std::uint16_t rgb[3];
        for (int c = 0; c < 3; ++c) rgb[c] = static_cast<std::uint16_t>(p[c] + (p[c + 3] - p[c]) * f + 0.5f);
        store(column, rgb[0], rgb[1], rgb[2]);
    });
}

void DensityRows::Row16(int row, std::uint16_t* rgb) const {
    ColourRow(row, [&](int column, std::uint16_t r, std::uint16_t g, std::uint16_t b) {
        std::uint16_t* p = rgb + 3 * static_cast<std::size_t>(column);
        p[0] = r;
        p[1] = g;
        p[2] = b;
    });
}

void DensityRows::Row8(int row, std::uint32_t* words) const {
    ColourRow(row, [&](int column, std::uint16_t r, std::uint16_t g, std::uint16_t b) {
        words[column] = DitheredWord(r, g, b, column, row);
    });
}

}  // namespace zephyrin
