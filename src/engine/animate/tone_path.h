#pragma once

#include <optional>
#include <span>

#include "engine/animate/animation.h"
#include "engine/colouring/density_colour.h"

namespace zephyrin {

// The density tone references of a frame, following the path on a log scale
// from the keyframes' own (measured once each, from a drawing of the
// keyframe alone), never from the frames around it: a still path keeps one
// scale, a moving one changes it smoothly, and any frame can be drawn alone.
// Reads only the keyframes PathKeyframes names; none when one of them has
// no references (it lit nothing, or was not measured).
std::optional<ToneReferences> ToneAt(const Animation& animation, const PathPosition& at,
                                     std::span<const std::optional<ToneReferences>> keyframeTones);

}  // namespace zephyrin
