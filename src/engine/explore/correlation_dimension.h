#pragma once

#include <cstdint>
#include <span>

#include "engine/explore/orbit_judge.h"

namespace zephyrin {

// The correlation dimension D2 of a sample of orbit points (Grassberger and
// Procaccia): C(r), the share of pairs of points closer than r, goes as r^D2
// over a range of scales, and D2 is the slope of log C against log r there.
// The scaling range is chosen from the data as the radii, a quarter octave
// apart, at which C lies between kLowestShare and kHighestShare: below
// that, too few pairs are left to count (with a few thousand points, a few
// thousand) and an orbit's own grain shows, above it the attractor's size
// bends C over. Being a range of C rather than of r, it is the same range
// whatever the number of points, as long as each radius has kMinPairs
// pairs. The pairs are found through a grid of cells one largest radius
// wide (only neighbouring cells are compared, never all pairs); the largest
// radius comes from all pairs of a survey of a few hundred of the points.
// Pairs of points fewer than `theilerWindow` places apart in the sample are
// left out, so that an orbit's slow drift does not pass for a curve. 0 when
// most pairs of points coincide (a cycle); NaN for fewer than
// kMinDimensionPoints finite points or less than an octave of radii in the
// range.
double CorrelationDimension(std::span<const Point2D> points, std::int32_t theilerWindow = 10);

inline constexpr std::int32_t kMinDimensionPoints = 100;
inline constexpr std::int32_t kMinPairs = 100;
inline constexpr double kHighestShare = 1e-2;
inline constexpr double kLowestShare = 3e-4;

}  // namespace zephyrin
