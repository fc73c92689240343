#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "engine/animate/frame_counts.h"
#include "engine/animate/frame_state.h"
#include "imaging/gradient.h"
#include "imaging/picture.h"
#include "imaging/picture16.h"

namespace zephyrin {

struct DrawnFrame {
    Picture picture;            // the 8-bit frame; for 16-bit frames the dithered one, for a video
    Picture16 wide;             // the 16-bit frame, when the frames have 16 bits
    double litShare = 0;        // of the frame's pixels, hit at least once
    double meanBrightness = 0;  // the mean luminance 0.299 r + 0.587 g + 0.114 b, 0 to 1
    std::string parameters;     // the frame's parameter text, its seed and number after it
    std::int64_t iterations = 0;
};

// Colours frame `state` from its counts: by density with `tone` and the
// gradient along the path from `keyframeGradients`, else from the counts as
// the classic colouring does; reduced by the supersample factor. Fills in the
// lit share; the caller finishes the frame with FinishFrame.
void ColourFrame(const FrameState& state, const CountGrid& counts, const std::optional<ToneReferences>& tone,
                 std::span<const Gradient> keyframeGradients, const FrameSettings& settings, DrawnFrame& out);

// A frame painted as the engine went (PaintedAsDrawn): reduced by the
// supersample factor, widened for 16 bits, its lit share.
void TakePaintedFrame(const FrameState& state, Picture painted, const FrameSettings& settings,
                      DrawnFrame& out);

// The frame's iterations, mean brightness and, where they are written, its
// parameters with its seed and number after them.
void FinishFrame(const FrameState& state, std::int64_t frame, std::uint64_t seed,
                 const FrameSettings& settings, DrawnFrame& out);

}  // namespace zephyrin
