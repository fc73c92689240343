#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/animate/frame_state.h"
#include "engine/colouring/density_colour.h"
#include "imaging/picture.h"
#include "imaging/picture16.h"
#include "render/animation_setup.h"
#include "render/render_job.h"

namespace zephyrin {

struct DrawnFrame {
    Picture picture;            // the 8-bit frame; for 16-bit frames the dithered one, for a video
    Picture16 wide;             // the 16-bit frame, when the frames have 16 bits
    double litShare = 0;        // of the frame's pixels, hit at least once
    double meanBrightness = 0;  // the mean luminance 0.299 r + 0.587 g + 0.114 b, 0 to 1
    std::string parameters;     // the frame's parameter text, its seed and number after it
    std::int64_t iterations = 0;
};

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

    static std::uint64_t FrameSeed(std::uint64_t seed, std::int64_t frame) {
        return seed + static_cast<std::uint64_t>(frame);
    }

    // Throws what Render throws (std::bad_alloc, std::system_error).
    DrawnFrame Draw(std::int64_t frame, const ProgressReport& report);

private:
    RenderSettings Settings(std::uint64_t seed, std::int64_t iterations) const;
    std::optional<ToneReferences> KeyframeTone(std::size_t keyframe, const ProgressReport& report);
    CountGrid SampleCounts(std::int64_t frame, const ProgressReport& report);
    void Colour(const FrameState& state, const CountGrid& counts, const std::optional<ToneReferences>& tone,
                DrawnFrame& out) const;

    const PreparedAnimation& prepared_;
    std::uint64_t seed_;
    std::int32_t threads_;
    std::vector<bool> toneMeasured_;
    std::vector<std::optional<ToneReferences>> tones_;
};

}  // namespace zephyrin
