#pragma once

#include <cstdint>
#include <optional>

#include "engine/animate/frame_colouring.h"
#include "engine/animate/frame_counts.h"
#include "render/animation_setup.h"
#include "render/render_job.h"

namespace zephyrin {

// The settings of the options' frames.
FrameSettings FrameSettingsOf(const RenderOptions& options);

// Frame k of an animation is drawn by the renderer's own drawing (Render)
// with seed + k, the threads and the iterations per frame, so that a frame
// at a keyframe is that keyframe's picture drawn alone with the same seed,
// and any frame drawn again alone is the same picture. Density frames take
// their tone references along the path (ToneAt) from the keyframes', each
// measured once from a drawing of the keyframe alone with its frame's seed.
// With motion blur the frame's iterations are shared out over that many
// parameter samples spread evenly over its time slice, their counts added.
class FrameDrawer {
public:
    FrameDrawer(const PreparedAnimation& prepared, std::uint64_t seed, std::int32_t threads);

    // Throws what Render throws (std::bad_alloc, std::system_error).
    DrawnFrame Draw(std::int64_t frame, const ProgressReport& report);

private:
    RenderResult Counted(const CountsRun& run, const ProgressReport& report) const;
    CountGrid SampleCounts(std::int64_t frame, const ProgressReport& report) const;

    const PreparedAnimation& prepared_;
    FrameSettings settings_;
    std::uint64_t seed_;
    std::int32_t threads_;
    KeyframeTones tones_;
};

}  // namespace zephyrin
