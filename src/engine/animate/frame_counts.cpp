#include "engine/animate/frame_counts.h"

#include "engine/animate/path_curve.h"
#include "engine/animate/tone_path.h"
#include "engine/core/random.h"

namespace zephyrin {

CountsRun KeyframeToneRun(const Animation& animation, std::size_t keyframe, std::uint64_t seed,
                          const FrameSettings& settings) {
    const Keyframe& k = animation.keyframes[keyframe];
    return {k.record, k.effects, FrameSeed(seed, KeyframeFrame(animation, keyframe)), settings.iterations};
}

std::vector<CountsRun> FrameSampleRuns(const Animation& animation, std::int64_t frame, std::uint64_t seed,
                                       const FrameSettings& settings) {
    const std::int32_t samples = settings.motionBlur;
    const std::uint64_t frameSeed = FrameSeed(seed, frame);
    std::vector<CountsRun> runs;
    for (std::int32_t i = 0; i < samples; ++i) {
        const double time = static_cast<double>(frame) + (i + 0.5) / samples - 0.5;
        const FrameState state = FrameAt(animation, time);
        const std::uint64_t sampleSeed =
            i == 0 ? frameSeed : MixBits(frameSeed ^ (static_cast<std::uint64_t>(i) * kGoldenGamma));
        const std::int64_t share =
            settings.iterations / samples + (i < settings.iterations % samples ? 1 : 0);
        runs.push_back({state.record, state.effects, sampleSeed, share});
    }
    return runs;
}

bool PaintedAsDrawn(const FrameState& state, const FrameSettings& settings) {
    if (!PaintsWhilePlotting(state.density.mode) || settings.motionBlur > 1) return false;
    // A hit adds round(intensity * weight + 10) with a weight in [0, 1].
    const bool everyHitCounts = state.record.intensity > -9.5;
    return !everyHitCounts || state.effects.colorMix;
}

std::vector<std::size_t> KeyframeTones::Missing(const Animation& animation, const PathPosition& at) const {
    std::vector<std::size_t> missing;
    for (const std::size_t k : PathKeyframes(animation, at))
        if (!measured_[k]) missing.push_back(k);
    return missing;
}

void KeyframeTones::Measure(std::size_t keyframe, const CountGrid& counts, std::int32_t supersample) {
    tones_[keyframe] = MeasureToneReferences({counts, supersample});
    measured_[keyframe] = true;
}

std::optional<ToneReferences> KeyframeTones::At(const Animation& animation, const PathPosition& at) const {
    return ToneAt(animation, at, tones_);
}

}  // namespace zephyrin
