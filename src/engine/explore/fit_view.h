#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "engine/explore/orbit_judge.h"
#include "util/result.h"

namespace zephyrin {

// Fit View: sets v.xCenter, v.yCenter and v.zoom (and the edges derived from
// them for listWidth x listHeight) so that what a drawing of `v` plots fills
// the picture with a small margin. The view comes from a sample orbit of the
// record as it stands, drawn off-screen with its own random stream from
// `seed`: the transient is skipped, every point the variations plot is kept,
// and the rarest points on each side are left outside. A pending random start
// is made first, from the same seed, and kept in `v` (randomStart then
// false), so that the view belongs to the values drawn next. Returns false,
// with `v` unchanged, when there is nothing to frame: the orbit runs away,
// nothing is plotted, or everything lands on one point. Fails only when
// memory runs short. Safe on any thread for a record no one else writes.
[[nodiscard]] Result<bool> FitView(TFractalRec& v, const Effects& effects, std::uint64_t seed);

// The pieces of Fit View, which the search shares.

// A rectangle of the orbit's plane.
struct PlaneBox {
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

// The box holding the finite points but the kOutlierShare lowest and highest
// on each axis; none for no finite point.
std::optional<PlaneBox> RobustBounds(std::span<const Point2D> points);

// Centres the view on the box and magnifies it as far as it still shows the
// box grown by kFrameMargin on every side. False, with `v` unchanged, for a
// box without extent or a view that would not stay finite.
bool FrameBox(TFractalRec& v, const PlaneBox& box);

// The share of the cells of a grid laid over v's view, kCoverageCells in the
// picture's proportions, that the points light.
double CoveredShare(std::span<const Point2D> points, const TFractalRec& v);

struct Framing {
    bool framed = false;
    double coverage = 0;       // CoveredShare of the sample in the new view
    std::int32_t steps = 0;    // of the sample, transient included
    std::int32_t escapes = 0;  // steps of the sample in which the orbit escaped
};

// Fit View's work on a record whose start is made: samples it into `points`
// (reused from call to call), frames `v` and measures the sample's coverage.
// Leaves `v` unchanged unless framed. Throws std::bad_alloc.
Framing FrameRecord(TFractalRec& v, const Effects& effects, std::uint64_t seed, std::vector<Point2D>& points);

// A rescued point's way back and the rarest excursions, not the attractor.
inline constexpr double kOutlierShare = 0.001;
// Room for what the outliers' cut leaves out and for the picture's edge.
inline constexpr double kFrameMargin = 0.05;
// A quarter of a 400 x 300 picture's pixels: few enough for a short sample to
// light a share that tells a spread attractor from a curve.
inline constexpr std::int32_t kCoverageCells = 30000;

}  // namespace zephyrin
