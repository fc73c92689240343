#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/animate/animation.h"
#include "engine/animate/animation_file.h"
#include "imaging/gradient.h"
#include "util/result.h"

namespace zephyrin {

// An animation ready to draw at one size, and its keyframes' density gradients.
struct LoadedAnimation {
    Animation animation;
    std::vector<Gradient> gradients;  // kept for a crossfade into a density keyframe even where it is off
    std::vector<std::string> notes;   // the keyframes' missing lines; the drawing goes on
};

struct LoadedKeyframe {
    Keyframe keyframe;
    Gradient gradient;
    std::vector<std::string> notes;
};

// One keyframe's text read over a new window's record of width x height as
// a parameter file drawn alone at that size is: with a point or a comma,
// its view frozen, no random start; its gradient, found even where density
// colouring is off. Fails with the reader's messages, captioned `caption`.
[[nodiscard]] Result<LoadedKeyframe> LoadKeyframe(const KeyframeText& text, const std::string& caption,
                                                  std::int32_t width, std::int32_t height);

// The document's keyframes, each read as LoadKeyframe reads it, with their
// colouring, cuts, the document's loop, smooth and frames (TakeFrames),
// checked (CheckAnimation). Fails naming the keyframe, counting from 1.
[[nodiscard]] Result<LoadedAnimation> LoadAnimation(const AnimationDocument& document, std::int32_t width,
                                                    std::int32_t height);

}  // namespace zephyrin
