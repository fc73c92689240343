#pragma once

#include <cstddef>
#include <span>

#include "engine/animate/animation.h"
#include "imaging/gradient.h"

namespace zephyrin {

// The picture the path is at at one time.
struct FrameState {
    PathPosition position;
    TFractalRec record;  // its view frozen
    Effects effects;
    DensitySettings density;
    // The density gradient: the segment's keyframe's, crossfaded by
    // `gradientBlend` towards the next keyframe's when that one has another.
    std::size_t gradientFrom = 0;
    std::size_t gradientTo = 0;
    double gradientBlend = 0;
};

// The picture at `time` (in frames). Every real value follows the path
// (PathValue): the coefficients, A, B, the start point, the view centre, the
// magnification on a log scale, the colour shifts, intensity, variation
// weight, random range, brightness, gamma and vibrancy; the formula, the
// switches and the effects are the segment's keyframe's. At a keyframe's own
// time the frame is that keyframe, exactly. A view that would not stay
// finite is the segment's keyframe's.
FrameState FrameAt(const Animation& animation, double time);

// The gradient of a frame from the keyframes' gradients, in keyframe order.
Gradient FrameGradient(const FrameState& frame, std::span<const Gradient> keyframeGradients);

}  // namespace zephyrin
