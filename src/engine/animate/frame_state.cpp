#include "engine/animate/frame_state.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "engine/animate/path_curve.h"
#include "engine/core/view_coords.h"

namespace zephyrin {
namespace {

// The record's reals that follow the path as they are; the magnification
// follows it on a log scale.
constexpr std::array kPathReals{
    &TFractalRec::startX,    &TFractalRec::startY,  &TFractalRec::xCenter,    &TFractalRec::yCenter,
    &TFractalRec::intensity, &TFractalRec::factor2, &TFractalRec::randomizer, &TFractalRec::red,
    &TFractalRec::blue,      &TFractalRec::green,   &TFractalRec::AAStart,    &TFractalRec::BB,
};
constexpr std::array kPathDensityReals{&DensitySettings::brightness, &DensitySettings::gamma,
                                       &DensitySettings::vibrancy};

// Evaluates the path of one value of every keyframe at a time, reusing its
// list of the keyframes' values.
class PathSampler {
public:
    PathSampler(const Animation& animation, const PathPosition& at) : animation_(animation), at_(at) {
        values_.resize(animation.keyframes.size());
    }

    template <typename Of>
    double Value(Of&& of) {
        for (std::size_t i = 0; i < values_.size(); ++i) values_[i] = of(animation_.keyframes[i]);
        return PathValue(animation_, values_, at_);
    }

private:
    const Animation& animation_;
    PathPosition at_;
    std::vector<double> values_;
};

void FollowPath(const Animation& animation, FrameState& frame) {
    PathSampler path(animation, frame.position);
    TFractalRec& v = frame.record;
    for (const auto field : kPathReals)
        v.*field = path.Value([&](const Keyframe& k) { return k.record.*field; });
    for (int i = 1; i <= Coefficients::kCount; ++i)
        v.af[i] = path.Value([&](const Keyframe& k) { return k.record.af[i]; });
    v.AA = v.AACopy = v.AAStart;
    const double zoom = std::exp(path.Value([](const Keyframe& k) { return std::log(k.record.zoom); }));
    const double xCenter = v.xCenter, yCenter = v.yCenter;
    if (ViewIsFinite(zoom, xCenter) && ViewIsFinite(zoom, yCenter)) {
        v.zoom = zoom;
    } else {
        const TFractalRec& from = animation.keyframes[frame.position.segment].record;
        v.zoom = from.zoom;
        v.xCenter = from.xCenter;
        v.yCenter = from.yCenter;
    }
    FreezeView(v);

    const DensitySettings defaults;
    const std::array ranges{kBrightnessRange, kGammaRange, kVibrancyRange};
    for (std::size_t i = 0; i < kPathDensityReals.size(); ++i) {
        const auto field = kPathDensityReals[i];
        const double value = path.Value([&](const Keyframe& k) { return k.density.*field; });
        frame.density.*field =
            std::isfinite(value) ? std::clamp(value, ranges[i].low, ranges[i].high) : defaults.*field;
    }
}

}  // namespace

FrameState FrameAt(const Animation& animation, double time) {
    FrameState frame;
    frame.position = PositionAt(animation, time);
    const std::size_t s = frame.position.segment;
    const Keyframe& from = animation.keyframes[s];
    frame.record = from.record;
    frame.effects = from.effects;
    frame.density = from.density;
    frame.gradientFrom = frame.gradientTo = s;
    if (frame.position.fraction == 0 || !Moves(animation, s)) return frame;

    FollowPath(animation, frame);
    const std::size_t next = (s + 1) % animation.keyframes.size();
    if (animation.keyframes[next].density.gradient != from.density.gradient) {
        frame.gradientTo = next;
        frame.gradientBlend = frame.position.fraction;
    }
    return frame;
}

Gradient FrameGradient(const FrameState& frame, std::span<const Gradient> keyframeGradients) {
    const Gradient& from = keyframeGradients[frame.gradientFrom];
    if (frame.gradientBlend == 0) return from;
    const Gradient& to = keyframeGradients[frame.gradientTo];
    const auto w = static_cast<float>(frame.gradientBlend);
    return Gradient(from.Name(), [&](double t) {
        const GradientColour a = from.At(static_cast<float>(t)), b = to.At(static_cast<float>(t));
        return GradientColour{a.r + (b.r - a.r) * w, a.g + (b.g - a.g) * w, a.b + (b.b - a.b) * w};
    });
}

}  // namespace zephyrin
