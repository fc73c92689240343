#include "engine/explore/fit_view.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "engine/core/view_coords.h"
#include "engine/explore/orbit_probe.h"

namespace zephyrin {

namespace {

// Long enough for the orbits of the catalogue to reach their attractor.
constexpr std::int32_t kFitTransient = 1000;
// Enough points that the rarest thousandth is a few dozen, and quick.
constexpr std::int32_t kFitIterations = 20000;
// More rescues than one in a thousand iterations draw their scatter, not an orbit.
constexpr std::int32_t kFitAllowedEscapes = kFitIterations / 1000;

// The k-th smallest of the values, and the k-th largest.
std::pair<double, double> TrimmedRange(std::vector<double>& values, std::size_t k) {
    const auto low = values.begin() + static_cast<std::ptrdiff_t>(k);
    const auto high = values.end() - 1 - static_cast<std::ptrdiff_t>(k);
    std::nth_element(values.begin(), low, values.end());
    const double lowValue = *low;
    std::nth_element(low, high, values.end());
    return {lowValue, *high};
}

}  // namespace

std::optional<PlaneBox> RobustBounds(std::span<const Point2D> points) {
    std::vector<double> xs, ys;
    xs.reserve(points.size());
    ys.reserve(points.size());
    for (const Point2D& p : points)
        if (std::isfinite(p.x) && std::isfinite(p.y)) {
            xs.push_back(p.x);
            ys.push_back(p.y);
        }
    if (xs.empty()) return std::nullopt;
    const auto k = static_cast<std::size_t>(kOutlierShare * static_cast<double>(xs.size()));
    const auto [xMin, xMax] = TrimmedRange(xs, k);
    const auto [yMin, yMax] = TrimmedRange(ys, k);
    return PlaneBox{xMin, xMax, yMin, yMax};
}

bool FrameBox(TFractalRec& v, const PlaneBox& box) {
    if (v.listWidth < 1 || v.listHeight < 1) return false;
    // The view's half spans for a unit half span, by the view's own rule.
    TFractalRec unit = v;
    unit.zoom = 2.0;
    unit.xCenter = unit.yCenter = 0;
    AdjustCoords(unit);
    const double xCenter = 0.5 * box.xMin + 0.5 * box.xMax;
    const double yCenter = 0.5 * box.yMin + 0.5 * box.yMax;
    const double grown = 0.5 + kFrameMargin;
    const double half =
        std::max((box.xMax - box.xMin) * grown / unit.xMax, (box.yMax - box.yMin) * grown / unit.yMax);
    // Below this the pixels could not tell the points apart.
    const double smallest = 1e-12 * (1 + std::max(std::fabs(xCenter), std::fabs(yCenter)));
    if (!(half > smallest) || !std::isfinite(half)) return false;
    const double zoom = 2.0 / half;
    if (!ViewIsFinite(zoom, xCenter) || !ViewIsFinite(zoom, yCenter)) return false;
    v.xCenter = xCenter;
    v.yCenter = yCenter;
    v.zoom = zoom;
    AdjustCoords(v);
    return true;
}

double CoveredShare(std::span<const Point2D> points, const TFractalRec& v) {
    if (v.listWidth < 1 || v.listHeight < 1) return 0;
    TFractalRec view = v;
    AdjustCoords(view);
    const double ratio = static_cast<double>(v.listWidth) / v.listHeight;
    const auto columns = static_cast<std::int32_t>(
        std::clamp(std::round(std::sqrt(kCoverageCells * ratio)), 1.0, double{kCoverageCells}));
    const std::int32_t rows = std::max(kCoverageCells / columns, 1);
    std::vector<bool> lit(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
    std::int32_t count = 0;
    const double xScale = columns / (view.xMax - view.xMin);
    const double yScale = rows / (view.yMax - view.yMin);
    for (const Point2D& p : points) {
        const double column = (p.x - view.xMin) * xScale;
        const double row = (p.y - view.yMin) * yScale;
        if (!(column >= 0 && column < columns && row >= 0 && row < rows)) continue;
        const std::size_t cell = static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                                 static_cast<std::size_t>(column);
        if (!lit[cell]) {
            lit[cell] = true;
            ++count;
        }
    }
    return static_cast<double>(count) / static_cast<double>(lit.size());
}

Framing FrameRecord(TFractalRec& v, const Effects& effects, std::uint64_t seed,
                    std::vector<Point2D>& points) {
    Framing framing;
    framing.steps = kFitTransient + kFitIterations;
    OrbitProbe probe(v, effects, seed);
    for (std::int32_t i = 0; i < kFitTransient; ++i) framing.escapes += probe.Step() ? 0 : 1;
    points.clear();
    for (std::int32_t i = 0; i < kFitIterations; ++i) {
        framing.escapes += probe.Step() ? 0 : 1;
        for (const Point2D& p : probe.Plotted()) points.push_back(p);
    }
    if (framing.escapes > kFitAllowedEscapes) return framing;
    const std::optional<PlaneBox> box = RobustBounds(points);
    if (!box) return framing;
    TFractalRec framed = v;
    if (!FrameBox(framed, *box)) return framing;
    framing.framed = true;
    framing.coverage = CoveredShare(points, framed);
    v = framed;
    return framing;
}

Result<bool> FitView(TFractalRec& v, const Effects& effects, std::uint64_t seed) {
    try {
        TFractalRec record = WithStartMade(v, effects, seed);
        std::vector<Point2D> points;
        if (!FrameRecord(record, effects, seed, points).framed) return false;
        v = record;
        return true;
    } catch (const std::bad_alloc&) {
        return Failure("not enough memory to frame the picture");
    }
}

}  // namespace zephyrin
