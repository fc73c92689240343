#include "engine/explore/correlation_dimension.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <vector>

namespace zephyrin {

namespace {

constexpr std::int32_t kStepsPerOctave = 4;
// Radius k is the largest times 2^(-k/4); sixteen octaves reach below what
// a few thousand points can resolve.
constexpr std::int32_t kRadii = 16 * kStepsPerOctave;
// Points of the first look at the pairs, which finds the largest radius.
constexpr std::size_t kSurveyPoints = 500;
// The largest radius is this many times the survey's radius at
// kHighestShare, so that the radius of that share is counted for certain.
constexpr double kLargestRadiusMargin = 2;

struct Sampled {
    Point2D p;
    std::int32_t index;  // place in the sample
};

double SquaredDistance(const Sampled& a, const Sampled& b) {
    const double dx = a.p.x - b.p.x, dy = a.p.y - b.p.y;
    return dx * dx + dy * dy;
}

// The radius below which kHighestShare of the pairs lie, from every pair of
// an evenly spread survey of the points.
double SurveyRadius(const std::vector<Sampled>& points, std::int32_t theilerWindow) {
    const std::size_t step = std::max<std::size_t>(points.size() / kSurveyPoints, 1);
    std::vector<double> squares;
    for (std::size_t i = 0; i < points.size(); i += step)
        for (std::size_t j = i + step; j < points.size(); j += step)
            if (std::abs(points[i].index - points[j].index) >= theilerWindow)
                squares.push_back(SquaredDistance(points[i], points[j]));
    if (squares.empty()) return 0;
    const auto nth =
        squares.begin() + static_cast<std::ptrdiff_t>(kHighestShare * static_cast<double>(squares.size()));
    std::nth_element(squares.begin(), nth, squares.end());
    return std::sqrt(*nth);
}

// floor(2 log2 q) for q >= 1, read off q's binary exponent and mantissa:
// the pair count's inner loop without a call to the library's logarithm,
// which took most of a measure's time.
std::int32_t HalfOctaves(double q) {
    const auto bits = std::bit_cast<std::uint64_t>(q);
    const auto exponent = static_cast<std::int32_t>((bits >> 52) & 0x7ff) - 1023;
    const double mantissa = std::bit_cast<double>((bits & 0xfffffffffffffULL) | 0x3ff0000000000000ULL);
    return 2 * exponent + (mantissa >= std::numbers::sqrt2 ? 1 : 0);
}

// The grid of PairCounter has at most this many cells along a side.
constexpr double kMostCellsAcross = 1 << 20;

// Pairs closer than radius k, for every k.
using PairCounts = std::array<std::int64_t, kRadii>;

// The pairs closer than the largest radius, found through a grid of cells
// that wide: only a cell and its neighbours are compared. The cells are
// keyed by row and column and sorted, so that empty ones cost nothing.
class PairCounter {
public:
    PairCounter(std::vector<Sampled> points, double largest, std::int32_t theilerWindow)
        : largestSquared_(largest * largest), theilerWindow_(theilerWindow), points_(std::move(points)) {
        double xMin = points_[0].p.x, yMin = points_[0].p.y, xMax = xMin, yMax = yMin;
        for (const Sampled& s : points_) {
            xMin = std::min(xMin, s.p.x);
            yMin = std::min(yMin, s.p.y);
            xMax = std::max(xMax, s.p.x);
            yMax = std::max(yMax, s.p.y);
        }
        // Cells at least as wide as the largest radius keep every close pair
        // in neighbouring cells; wider ones keep the keys within range when
        // the radius is tiny beside the spread (an orbit about to settle).
        const double cell = std::max(largest, std::max(xMax - xMin, yMax - yMin) / kMostCellsAcross);
        std::int64_t columns = 1;
        for (const Sampled& s : points_)
            columns = std::max(columns, static_cast<std::int64_t>((s.p.x - xMin) / cell) + 2);
        columns_ = columns;
        keys_.reserve(points_.size());
        for (const Sampled& s : points_)
            keys_.push_back(static_cast<std::int64_t>((s.p.y - yMin) / cell) * columns_ +
                            static_cast<std::int64_t>((s.p.x - xMin) / cell));
        std::vector<std::size_t> order(points_.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::ranges::sort(order, {}, [&](std::size_t i) { return keys_[i]; });
        std::vector<Sampled> sorted;
        std::vector<std::int64_t> sortedKeys;
        for (const std::size_t i : order) {
            sorted.push_back(points_[i]);
            sortedKeys.push_back(keys_[i]);
        }
        points_ = std::move(sorted);
        keys_ = std::move(sortedKeys);
    }

    PairCounts Count() const {
        std::array<std::int64_t, kRadii> bins{};
        for (std::size_t first = 0; first < points_.size();) {
            const std::size_t end = RunEnd(first);
            for (std::size_t i = first; i < end; ++i)
                for (std::size_t j = i + 1; j < end; ++j) Tally(points_[i], points_[j], bins);
            // The neighbours after this cell, so that every pair is met once.
            for (const std::int64_t offset : {std::int64_t{1}, columns_ - 1, columns_, columns_ + 1}) {
                const auto neighbour = std::ranges::lower_bound(keys_, keys_[first] + offset);
                if (neighbour == keys_.end() || *neighbour != keys_[first] + offset) continue;
                const auto otherFirst = static_cast<std::size_t>(neighbour - keys_.begin());
                const std::size_t otherEnd = RunEnd(otherFirst);
                for (std::size_t i = first; i < end; ++i)
                    for (std::size_t j = otherFirst; j < otherEnd; ++j) Tally(points_[i], points_[j], bins);
            }
            first = end;
        }
        PairCounts closer{};
        std::int64_t sum = 0;
        for (std::int32_t k = kRadii - 1; k >= 0; --k)
            closer[static_cast<std::size_t>(k)] = sum += bins[static_cast<std::size_t>(k)];
        return closer;
    }

private:
    std::size_t RunEnd(std::size_t first) const {
        std::size_t end = first + 1;
        while (end < keys_.size() && keys_[end] == keys_[first]) ++end;
        return end;
    }

    void Tally(const Sampled& a, const Sampled& b, PairCounts& bins) const {
        const double squared = SquaredDistance(a, b);
        if (squared > largestSquared_ || std::abs(a.index - b.index) < theilerWindow_) return;
        std::int32_t bin = kRadii - 1;
        // d <= largest * 2^(-k/4) exactly when 2 log2(largest^2 / d^2) >= k.
        if (squared > 0) bin = std::min(bin, HalfOctaves(largestSquared_ / squared));
        ++bins[static_cast<std::size_t>(bin)];
    }

    double largestSquared_;
    std::int32_t theilerWindow_;
    std::int64_t columns_ = 1;
    std::vector<Sampled> points_;
    std::vector<std::int64_t> keys_;
};

double Slope(std::span<const double> xs, std::span<const double> ys) {
    const double n = static_cast<double>(xs.size());
    double sx = 0, sy = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        sx += xs[i];
        sy += ys[i];
    }
    double sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        sxx += (xs[i] - sx / n) * (xs[i] - sx / n);
        sxy += (xs[i] - sx / n) * (ys[i] - sy / n);
    }
    return sxy / sxx;
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
    const double survey = SurveyRadius(sample, theilerWindow);
    // Most pairs at no distance at all: a few points visited again and again.
    if (survey == 0) return 0;
    const double largest = survey * kLargestRadiusMargin;
    const double n = static_cast<double>(sample.size());
    const PairCounts closer = PairCounter(std::move(sample), largest, theilerWindow).Count();

    const double pairs = n * (n - 1) / 2;
    std::vector<double> logRadius, logShare;
    for (std::int32_t k = 0; k < kRadii && closer[static_cast<std::size_t>(k)] >= kMinPairs; ++k) {
        const double share = static_cast<double>(closer[static_cast<std::size_t>(k)]) / pairs;
        if (share > kHighestShare || share < kLowestShare) continue;
        logRadius.push_back(std::log(largest) - k * std::log(2.0) / kStepsPerOctave);
        logShare.push_back(std::log(share));
    }
    // Less than an octave says nothing about a slope.
    if (std::ssize(logRadius) <= kStepsPerOctave) return kNaN;
    return Slope(logRadius, logShare);
}

}  // namespace zephyrin
