#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/animate/frame_state.h"
#include "engine/colouring/density_colour.h"
#include "engine/core/count_grid.h"

namespace zephyrin {

// How an animation's frames are drawn, whichever program draws them.
struct FrameSettings {
    std::int64_t iterations = 0;  // per frame, and per keyframe's tone drawing
    std::int32_t supersample = 1;
    std::int32_t depth = 8;       // 8 or 16 bits per channel
    std::int32_t motionBlur = 1;  // parameter samples per frame
    bool writeParameters = true;
};

// One counts-only drawing a frame needs: from `record` with `effects`, a
// counts drawing seeded with `seed` drawing `iterations` in all. The same run
// drawn by any program on the same number of threads gives the same counts.
struct CountsRun {
    TFractalRec record;
    Effects effects;
    std::uint64_t seed = 0;
    std::int64_t iterations = 0;
};

// Frame k is drawn with seed + k, so that any frame can be drawn again alone.
inline std::uint64_t FrameSeed(std::uint64_t seed, std::int64_t frame) {
    return seed + static_cast<std::uint64_t>(frame);
}

// The drawing of keyframe `keyframe` alone that its tone references are
// measured from: the whole budget, with the seed of the keyframe's frame.
CountsRun KeyframeToneRun(const Animation& animation, std::size_t keyframe, std::uint64_t seed,
                          const FrameSettings& settings);

// The drawings whose counts, added, are frame `frame`: one, or with motion
// blur one per parameter sample spread evenly over the frame's time slice,
// the budget shared out over them, the first with the frame's seed.
std::vector<CountsRun> FrameSampleRuns(const Animation& animation, std::int64_t frame, std::uint64_t seed,
                                       const FrameSettings& settings);

// Whether frame `frame` is painted as the engine goes rather than coloured
// from counts: classic colouring whose counts do not tell the colours (Color
// Mix, or an intensity of -9.5 or less), without motion blur.
bool PaintedAsDrawn(const FrameState& state, const FrameSettings& settings);

// The keyframes' tone references, each measured once, when a frame first
// needs it.
class KeyframeTones {
public:
    explicit KeyframeTones(std::size_t keyframes) : measured_(keyframes, false), tones_(keyframes) {}

    // The keyframes the tone at `at` reads that are not measured yet.
    std::vector<std::size_t> Missing(const Animation& animation, const PathPosition& at) const;
    void Measure(std::size_t keyframe, const CountGrid& counts, std::int32_t supersample);
    // Once none is missing.
    std::optional<ToneReferences> At(const Animation& animation, const PathPosition& at) const;

private:
    std::vector<bool> measured_;
    std::vector<std::optional<ToneReferences>> tones_;
};

}  // namespace zephyrin
