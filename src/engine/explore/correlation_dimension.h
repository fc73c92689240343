#pragma once

#include <cstdint>
#include <span>

#include "engine/explore/orbit_judge.h"

namespace zephyrin {

// The correlation dimension D2 of a sample of orbit points (Grassberger and
// Procaccia): C(r), the share of pairs of points closer than r, goes as r^D2
// over a range of scales, and D2 is the slope of log C against log r there.
// C is counted on radii a quarter octave apart from an eighth of the
// sample's extent down, the pairs found through a grid of cells one largest
// radius wide (only neighbouring cells are compared, never all pairs).
// Pairs of points fewer than `theilerWindow` places apart in the sample are
// left out, so that an orbit's slow drift does not pass for a curve. The
// scaling range is the stretch of kScalingOctaves octaves, among the radii
// with at least kMinPairs pairs, that a straight line fits best; D2 is that
// line's slope. 0 when all points coincide; NaN for fewer than
// kMinDimensionPoints finite points or too few radii with enough pairs.
double CorrelationDimension(std::span<const Point2D> points, std::int32_t theilerWindow = 10);

inline constexpr std::int32_t kMinDimensionPoints = 100;
inline constexpr std::int32_t kMinPairs = 100;
inline constexpr std::int32_t kScalingOctaves = 3;

}  // namespace zephyrin
