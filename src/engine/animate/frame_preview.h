#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/animate/animation.h"
#include "engine/colouring/density_colour.h"
#include "imaging/gradient.h"
#include "imaging/picture.h"

namespace zephyrin {

// Small, quick pictures of an animation's frames, for a window to play while
// the keyframes are edited: each frame is drawn afresh on the calling thread
// by a batch of orbits (OrbitBatch) with a fixed budget and seed + frame, at
// the preview's size in the keyframes' views. Density frames take their tone
// references along the path from drawings of the keyframes at the same size
// and budget, each made once, when a frame first needs it; classic frames
// take their colours from the counts (Color Mix is not shown).
class FramePreview {
public:
    // `gradients`: the keyframes' density gradients, in keyframe order.
    FramePreview(Animation animation, std::vector<Gradient> gradients, std::int32_t width,
                 std::int32_t height, std::int64_t iterations, std::uint64_t seed);

    // The picture of `frame`, 0 to FrameCount - 1. Throws std::bad_alloc.
    Picture Draw(std::int64_t frame);

private:
    std::optional<ToneReferences> KeyframeTone(std::size_t keyframe);

    Animation animation_;
    std::vector<Gradient> gradients_;
    std::int32_t width_, height_;
    std::int64_t iterations_;
    std::uint64_t seed_;
    std::vector<bool> toneMeasured_;
    std::vector<std::optional<ToneReferences>> tones_;
};

// A keyframe alone as the preview draws a frame: at width x height, a batch
// of orbits with `iterations` and `seed`, coloured by its own counts. Throws
// std::bad_alloc.
Picture DrawStill(const Keyframe& keyframe, const Gradient& gradient, std::int32_t width, std::int32_t height,
                  std::int64_t iterations, std::uint64_t seed);

}  // namespace zephyrin
