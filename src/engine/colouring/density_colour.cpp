#include "engine/colouring/density_colour.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "engine/colouring/density_rows.h"
#include "engine/core/count_grid.h"
#include "util/parallel_rows.h"

namespace zephyrin {
namespace {

// The densest pixels above this share of the lit ones all reach level 1, so
// that a few hot pixels (a fixed point, the restarts of a formula) do not
// set the scale for the whole picture.
constexpr double kReferenceShare = 0.998;

// A histogram of the lit pixels' H in sixteen bins per octave, which finds
// the median and the reference without sorting (nor memory to sort in).
class Histogram {
public:
    void Add(std::int64_t hits) {
        ++bins_[Bin(hits)];
        ++lit_;
    }
    void Add(const Histogram& other) {
        for (std::size_t i = 0; i < kBins; ++i) bins_[i] += other.bins_[i];
        lit_ += other.lit_;
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

// Calls visit(column, row, H) for every pixel of rows first..end-1 of the reduced picture.
template <typename Visit>
void ForEachBlockSum(const CountGrid& counts, int block, int columns, int first, int end, Visit&& visit) {
    for (int row = first; row < end; ++row)
        ForEachBlockSumOfRow(counts, block, row, columns,
                             [&](int column, std::int64_t hits) { visit(column, row, hits); });
}

// Each run of rows fills a histogram of its own; they are added up after.
Histogram LitHistogram(const CountGrid& grid, int block, ThreadPool* pool) {
    std::vector<Histogram> histograms(static_cast<std::size_t>(RowRuns(pool)));
    ForRowsInParallel(pool, grid.Height() / block, [&](int first, int end, int share) {
        Histogram& histogram = histograms[static_cast<std::size_t>(share)];
        ForEachBlockSum(grid, block, grid.Width() / block, first, end, [&](int, int, std::int64_t hits) {
            if (hits > 0) histogram.Add(hits);
        });
    });
    for (std::size_t i = 1; i < histograms.size(); ++i) histograms[0].Add(histograms[i]);
    return histograms[0];
}

// Colours every row of `out`, sized for the counts, with row(colours,
// index), the rows shared out among the pool's threads.
template <typename Out, typename ColourRow>
void ColourRows(const DensityCounts& counts, const DensitySettings& settings, const Gradient& gradient,
                bool white, const std::optional<ToneReferences>& given, ThreadPool* pool, Out& out,
                ColourRow&& row) {
    const DensityRows colours(counts, settings, gradient, white, given, pool);
    if (out.Width() != colours.Width() || out.Height() != colours.Height())
        out.SetSize(colours.Width(), colours.Height());
    ForRowsInParallel(pool, colours.Height(), [&](int first, int end, int) {
        for (int index = first; index < end; ++index) row(colours, index);
    });
}

}  // namespace

std::optional<ToneReferences> MeasureToneReferences(const DensityCounts& counts, ThreadPool* pool) {
    const Histogram histogram = LitHistogram(counts.counts, std::max(counts.block, 1), pool);
    if (histogram.Lit() == 0) return std::nullopt;
    return ToneReferences{histogram.Quantile(0.5), histogram.Quantile(kReferenceShare)};
}

void DensityColour(const DensityCounts& counts, const DensitySettings& settings, const Gradient& gradient,
                   bool white, Picture16& out, const std::optional<ToneReferences>& tone, ThreadPool* pool) {
    ColourRows(counts, settings, gradient, white, tone, pool, out,
               [&](const DensityRows& colours, int row) { colours.Row16(row, out.Row(row)); });
}

void DensityColour(const DensityCounts& counts, const DensitySettings& settings, const Gradient& gradient,
                   bool white, Picture& out, const std::optional<ToneReferences>& tone, ThreadPool* pool) {
    ColourRows(counts, settings, gradient, white, tone, pool, out, [&](const DensityRows& colours, int row) {
        colours.Row8(row,
                     out.Words() + static_cast<std::size_t>(row) * static_cast<std::size_t>(out.Width()));
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
    ForEachBlockSum(grid, block, columns, 0, rows, [&](int column, int row, std::int64_t hits) {
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
