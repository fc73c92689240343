#include "engine/animate/path_curve.h"

#include <algorithm>

namespace zephyrin {
namespace {

double Frames(const Animation& animation, std::size_t segment) {
    return static_cast<double>(animation.keyframes[segment].frames);
}

// The slope (value per frame) at keyframe `index`.
double Slope(const Animation& animation, std::span<const double> values, std::size_t index) {
    const std::optional<std::size_t> from = MovesFrom(animation, index);
    const std::optional<std::size_t> to = MovesTo(animation, index);
    if (from && to)
        return (values[*to] - values[*from]) / (Frames(animation, *from) + Frames(animation, index));
    if (from) return (values[index] - values[*from]) / Frames(animation, *from);
    if (to) return (values[*to] - values[index]) / Frames(animation, index);
    return 0;
}

}  // namespace

double PathValue(const Animation& animation, std::span<const double> values, const PathPosition& at) {
    const std::size_t s = at.segment;
    const double start = values[s];
    if (at.fraction == 0 || !Moves(animation, s)) return start;
    const std::size_t next = (s + 1) % animation.keyframes.size();
    const double end = values[next];
    const double f = at.fraction;
    if (!animation.smooth) return start + (end - start) * f;
    // Cubic Hermite with the slopes scaled from frames to the segment.
    const double frames = Frames(animation, s);
    const double startSlope = Slope(animation, values, s) * frames;
    const double endSlope = Slope(animation, values, next) * frames;
    const double f2 = f * f, f3 = f2 * f;
    return start + (end - start) * (3 * f2 - 2 * f3) + startSlope * (f3 - 2 * f2 + f) + endSlope * (f3 - f2);
}

std::vector<std::size_t> PathKeyframes(const Animation& animation, const PathPosition& at) {
    const std::size_t s = at.segment;
    std::vector<std::size_t> used{s};
    if (at.fraction != 0 && Moves(animation, s)) {
        const std::size_t next = (s + 1) % animation.keyframes.size();
        used.push_back(next);
        if (animation.smooth) {
            for (const std::size_t index : {s, next}) {
                if (const auto from = MovesFrom(animation, index)) used.push_back(*from);
                if (const auto to = MovesTo(animation, index)) used.push_back(*to);
            }
        }
    }
    std::ranges::sort(used);
    const auto [first, last] = std::ranges::unique(used);
    used.erase(first, last);
    return used;
}

}  // namespace zephyrin
