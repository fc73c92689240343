#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "engine/animate/animation.h"

namespace zephyrin {

// The path's value at `at` through `values`, one per keyframe. A segment
// that holds keeps its keyframe's value; one that moves goes straight to the
// next value, or with `smooth` along a cubic whose slope at every keyframe
// is the Catmull-Rom one taken in frames: the rise from the keyframe before
// to the one after over the frames between them (one-sided at the ends of
// the path and beside cuts). Value and slope are therefore continuous
// through every keyframe the path moves through, the join of a loop too,
// however the frames are shared out. Exactly the keyframe's value at a
// fraction of 0.
double PathValue(const Animation& animation, std::span<const double> values, const PathPosition& at);

// The keyframes whose values PathValue reads at `at`, in increasing order.
std::vector<std::size_t> PathKeyframes(const Animation& animation, const PathPosition& at);

}  // namespace zephyrin
