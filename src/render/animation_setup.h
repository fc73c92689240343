#pragma once

#include <string>
#include <vector>

#include "engine/animate/animation.h"
#include "imaging/gradient.h"
#include "render/render_options.h"
#include "util/result.h"

namespace zephyrin {

// An animation ready to draw.
struct PreparedAnimation {
    // Each keyframe loaded as one picture's parameter file would be
    // (PrepareDrawing), at the frames' size times the supersample factor.
    Animation animation;
    std::vector<Gradient> gradients;  // the keyframes' density gradients
    // The command line's, with an animation file's settings where the
    // command line does not give them.
    RenderOptions options;
    std::vector<std::string> messages;  // the keyframes' missing lines; the drawing goes on
};

// Loads the keyframes the options name (--animate KEY... or an animation
// file), spreads --frames over the segments or takes the file's frames, and
// checks the whole (CheckAnimation). Motion blur adds the counts of several
// drawings, so it needs frames whose colours the counts tell (no Color Mix
// in classic colouring). Fails naming the file or keyframe, and when a frame
// would not fit in memory.
[[nodiscard]] Result<PreparedAnimation> PrepareAnimation(const RenderOptions& options);

}  // namespace zephyrin
