#include "engine/animate/frame_preview.h"

#include <utility>

#include "engine/animate/frame_state.h"
#include "engine/animate/path_curve.h"
#include "engine/animate/tone_path.h"
#include "engine/batch/orbit_batch.h"
#include "engine/colouring/colour_counts.h"
#include "engine/colouring/colour_from_counts.h"
#include "engine/core/view_coords.h"

namespace zephyrin {
namespace {

CountGrid PreviewCounts(TFractalRec record, const Effects& effects, std::int32_t width, std::int32_t height,
                        std::int64_t iterations, std::uint64_t seed) {
    record.width = record.listWidth = width;
    record.height = record.listHeight = height;
    FreezeView(record);
    CountGrid counts(width, height);
    OrbitBatch batch(record, effects, seed);
    batch.Run(iterations, counts.Counts());
    return counts;
}

Picture ClassicPicture(const CountGrid& counts, TFractalRec record) {
    record.width = counts.Width();
    record.height = counts.Height();
    return ColourFromCounts(counts, record);
}

}  // namespace

FramePreview::FramePreview(Animation animation, std::vector<Gradient> gradients, std::int32_t width,
                           std::int32_t height, std::int64_t iterations, std::uint64_t seed)
    : animation_(std::move(animation)),
      gradients_(std::move(gradients)),
      width_(width),
      height_(height),
      iterations_(iterations),
      seed_(seed),
      toneMeasured_(animation_.keyframes.size(), false),
      tones_(animation_.keyframes.size()) {}

std::optional<ToneReferences> FramePreview::KeyframeTone(std::size_t keyframe) {
    if (!toneMeasured_[keyframe]) {
        const Keyframe& k = animation_.keyframes[keyframe];
        const auto frame = static_cast<std::uint64_t>(KeyframeFrame(animation_, keyframe));
        const CountGrid counts =
            PreviewCounts(k.record, k.effects, width_, height_, iterations_, seed_ + frame);
        tones_[keyframe] = MeasureToneReferences({counts, 1});
        toneMeasured_[keyframe] = true;
    }
    return tones_[keyframe];
}

Picture FramePreview::Draw(std::int64_t frame) {
    const FrameState state = FrameAt(animation_, static_cast<double>(frame));
    const CountGrid counts = PreviewCounts(state.record, state.effects, width_, height_, iterations_,
                                           seed_ + static_cast<std::uint64_t>(frame));
    if (PaintsWhilePlotting(state.density.mode)) return ClassicPicture(counts, state.record);
    for (const std::size_t k : PathKeyframes(animation_, state.position)) KeyframeTone(k);
    const std::optional<ToneReferences> tone = ToneAt(animation_, state.position, tones_);
    const Gradient gradient = FrameGradient(state, gradients_);
    Picture picture;
    ColourCounts({counts, 1}, state.record, {.settings = state.density, .gradient = gradient, .tone = tone},
                 picture);
    return picture;
}

Picture DrawStill(const Keyframe& keyframe, const Gradient& gradient, std::int32_t width, std::int32_t height,
                  std::int64_t iterations, std::uint64_t seed) {
    const CountGrid counts =
        PreviewCounts(keyframe.record, keyframe.effects, width, height, iterations, seed);
    if (PaintsWhilePlotting(keyframe.density.mode)) return ClassicPicture(counts, keyframe.record);
    Picture picture;
    DensityColour({counts, 1}, keyframe.density, gradient, keyframe.record.white != kFalse, picture);
    return picture;
}

}  // namespace zephyrin
