#include "engine/explore/correlation_dimension.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace zephyrin {

namespace {

constexpr std::int32_t kStepsPerOctave = 4;
// Radius k is the largest times 2^(-k/4); sixteen octaves reach below what
// a few thousand points can resolve.
constexpr std::int32_t kRadii = 16 * kStepsPerOctave;
// The largest radius, as a share of the sample's extent: above it the
// attractor's edges bend C(r) over.
constexpr double kLargestRadiusShare = 1.0 / 8;

// Pairs closer than radius k, for every k: counted by bin (the pairs
// between radius k + 1 and k, the last bin all closer ones), then summed.
using PairCounts = std::array<std::int64_t, kRadii>;

struct Sampled {
    Point2D p;
    std::int32_t index;  // place in the sample
};

class PairCounter {
public:
    PairCounter(std::vector<Sampled> points, double largest, std::int32_t theilerWindow)
        : largestSquared_(largest * largest), theilerWindow_(theilerWindow) {
        double xMin = points[0].p.x, yMin = points[0].p.y, xMax = xMin, yMax = yMin;
        for (const Sampled& s : points) {
            xMin = std::min(xMin, s.p.x);
            xMax = std::max(xMax, s.p.x);
            yMin = std::min(yMin, s.p.y);
            yMax = std::max(yMax, s.p.y);
        }
        columns_ = static_cast<std::int32_t>((xMax - xMin) / largest) + 1;
        rows_ = static_cast<std::int32_t>((yMax - yMin) / largest) + 1;
        const auto cellOf = [&](const Point2D& p) {
            const auto column = std::min(static_cast<std::int32_t>((p.x - xMin) / largest), columns_ - 1);
            const auto row = std::min(static_cast<std::int32_t>((p.y - yMin) / largest), rows_ - 1);
            return row * columns_ + column;
        };
        // Points sorted by cell, and where each cell's run begins.
        firsts_.assign(static_cast<std::size_t>(columns_ * rows_) + 1, 0);
        for (const Sampled& s : points) ++firsts_[static_cast<std::size_t>(cellOf(s.p)) + 1];
        for (std::size_t c = 1; c < firsts_.size(); ++c) firsts_[c] += firsts_[c - 1];
        sorted_.resize(points.size());
        std::vector<std::int32_t> next(firsts_.begin(), firsts_.end() - 1);
        for (const Sampled& s : points) sorted_[static_cast<std::size_t>(next[cellOf(s.p)]++)] = s;
    }

    PairCounts Count() const {
        PairCounts bins{};
        for (std::int32_t row = 0; row < rows_; ++row)
            for (std::int32_t column = 0; column < columns_; ++column) {
                CountWithin(row, column, bins);
                // The neighbours after this cell, so that every pair is met once.
                for (const auto& [dr, dc] : {std::pair{0, 1}, {1, -1}, {1, 0}, {1, 1}})
                    if (row + dr < rows_ && column + dc >= 0 && column + dc < columns_)
                        CountBetween(row, column, row + dr, column + dc, bins);
            }
        PairCounts closer{};
        std::int64_t sum = 0;
        for (std::int32_t k = kRadii - 1; k >= 0; --k) closer[k] = sum += bins[k];
        return closer;
    }

private:
    std::pair<std::int32_t, std::int32_t> Run(std::int32_t row, std::int32_t column) const {
        const auto cell = static_cast<std::size_t>(row * columns_ + column);
        return {firsts_[cell], firsts_[cell + 1]};
    }

    void Tally(const Sampled& a, const Sampled& b, PairCounts& bins) const {
        const double dx = a.p.x - b.p.x, dy = a.p.y - b.p.y;
        const double squared = dx * dx + dy * dy;
        if (squared > largestSquared_ || std::abs(a.index - b.index) < theilerWindow_) return;
        std::int32_t bin = kRadii - 1;
        // d <= largest * 2^(-k/4) exactly when 2 log2(largest^2 / d^2) >= k.
        if (squared > 0)
            bin = std::min(bin, static_cast<std::int32_t>(2 * std::log2(largestSquared_ / squared)));
        ++bins[static_cast<std::size_t>(bin)];
    }

    void CountWithin(std::int32_t row, std::int32_t column, PairCounts& bins) const {
        const auto [first, end] = Run(row, column);
        for (std::int32_t i = first; i < end; ++i)
            for (std::int32_t j = i + 1; j < end; ++j) Tally(sorted_[i], sorted_[j], bins);
    }

    void CountBetween(std::int32_t row, std::int32_t column, std::int32_t otherRow, std::int32_t otherColumn,
                      PairCounts& bins) const {
        const auto [first, end] = Run(row, column);
        const auto [otherFirst, otherEnd] = Run(otherRow, otherColumn);
        for (std::int32_t i = first; i < end; ++i)
            for (std::int32_t j = otherFirst; j < otherEnd; ++j) Tally(sorted_[i], sorted_[j], bins);
    }

    double largestSquared_;
    std::int32_t theilerWindow_;
    std::int32_t columns_ = 1, rows_ = 1;
    std::vector<std::int32_t> firsts_;
    std::vector<Sampled> sorted_;
};

struct LineFit {
    double slope = 0;
    double squaredResiduals = 0;
};

LineFit FitLine(std::span<const double> xs, std::span<const double> ys) {
    const double n = static_cast<double>(xs.size());
    double sx = 0, sy = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        sx += xs[i];
        sy += ys[i];
    }
    const double mx = sx / n, my = sy / n;
    double sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        sxx += (xs[i] - mx) * (xs[i] - mx);
        sxy += (xs[i] - mx) * (ys[i] - my);
    }
    LineFit fit;
    fit.slope = sxy / sxx;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const double residual = ys[i] - my - fit.slope * (xs[i] - mx);
        fit.squaredResiduals += residual * residual;
    }
    return fit;
}

}  // namespace

double CorrelationDimension(std::span<const Point2D> points, std::int32_t theilerWindow) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    std::vector<Sampled> sample;
    sample.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        if (std::isfinite(points[i].x) && std::isfinite(points[i].y))
            sample.push_back({points[i], static_cast<std::int32_t>(i)});
    if (sample.size() < static_cast<std::size_t>(kMinDimensionPoints)) return kNaN;
    const auto [xLow, xHigh] = std::ranges::minmax(sample, {}, [](const Sampled& s) { return s.p.x; });
    const auto [yLow, yHigh] = std::ranges::minmax(sample, {}, [](const Sampled& s) { return s.p.y; });
    const double extent = std::max(xHigh.p.x - xLow.p.x, yHigh.p.y - yLow.p.y);
    if (extent == 0) return 0;
    const double largest = extent * kLargestRadiusShare;
    const PairCounts closer = PairCounter(std::move(sample), largest, theilerWindow).Count();

    std::vector<double> logRadius, logPairs;
    for (std::int32_t k = 0; k < kRadii && closer[static_cast<std::size_t>(k)] >= kMinPairs; ++k) {
        logRadius.push_back(std::log(largest) - k * std::log(2.0) / kStepsPerOctave);
        logPairs.push_back(std::log(static_cast<double>(closer[static_cast<std::size_t>(k)])));
    }
    constexpr std::size_t kWindow = kScalingOctaves * kStepsPerOctave + 1;
    // Less than one octave says nothing about a slope.
    if (logRadius.size() <= static_cast<std::size_t>(kStepsPerOctave)) return kNaN;
    const std::size_t window = std::min(kWindow, logRadius.size());
    LineFit best{kNaN, std::numeric_limits<double>::infinity()};
    for (std::size_t first = 0; first + window <= logRadius.size(); ++first) {
        const LineFit fit =
            FitLine(std::span(logRadius).subspan(first, window), std::span(logPairs).subspan(first, window));
        if (fit.squaredResiduals < best.squaredResiduals) best = fit;
    }
    return best.slope;
}

}  // namespace zephyrin
