#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/colouring/density_settings.h"
#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "util/result.h"

namespace zephyrin {

// A whole picture the path of an animation goes through, and how the path
// goes on from it.
struct Keyframe {
    TFractalRec record{};  // its view frozen for the animation's picture size
    Effects effects{};
    DensitySettings density{};
    std::int64_t frames = 0;  // frames from this keyframe to the next
    // The path jumps to this keyframe instead of moving to it: the segment
    // before it holds the keyframe before, and the formula may change here.
    bool cut = false;
};

// Keyframes and how the path runs through them. Frame k is at time k: a
// keyframe's time is the sum of the frames before it; segment s runs from
// keyframe s to the next (with `loop` the last one leads back to the first).
struct Animation {
    std::vector<Keyframe> keyframes{};
    bool loop = false;
    bool smooth = false;  // Catmull-Rom through the keyframes; else straight from one to the next
};

// The most frames an animation may have: the numbers stay short and no
// count of frames can overflow.
inline constexpr std::int64_t kMostFrames = 1'000'000;

// Segments: one per keyframe with `loop`, one less without.
std::size_t SegmentCount(const Animation& animation);

// Frames in all: without `loop` the last keyframe is a frame of its own;
// with it the frame after the last segment would be the first keyframe again.
std::int64_t FrameCount(const Animation& animation);

// The frame at keyframe `index`.
std::int64_t KeyframeFrame(const Animation& animation, std::size_t index);

// Shares `frames` frames in all out over the segments, as evenly as whole
// frames go, the earlier segments taking the odd ones. Fails when there are
// fewer than the keyframes need (one segment, one frame).
[[nodiscard]] Result<> SpreadFrames(Animation& animation, std::int64_t frames);

// What stands against drawing the animation: fewer than two keyframes, a
// segment without frames, more than kMostFrames in all, a magnification that
// is not a positive number, or a formula that changes at a keyframe that is
// not a cut. The message names the keyframe, counting from 1.
[[nodiscard]] Result<> CheckAnimation(const Animation& animation);

// The keyframe a value of the path comes from and how far on to the next.
struct PathPosition {
    std::size_t segment = 0;
    double fraction = 0;  // 0 at keyframe `segment`, towards 1 at the next
};

// Where the path is at `time` (in frames): with `loop` taken round the
// loop, without it held at the ends.
PathPosition PositionAt(const Animation& animation, double time);

// Whether segment `segment` moves from its keyframe to the next (it holds
// when the next is a cut).
bool Moves(const Animation& animation, std::size_t segment);

// The keyframe the path moves from into keyframe `index`, and the one it
// moves on to; none at the ends of a path without `loop` and at cuts.
std::optional<std::size_t> MovesFrom(const Animation& animation, std::size_t index);
std::optional<std::size_t> MovesTo(const Animation& animation, std::size_t index);

}  // namespace zephyrin
