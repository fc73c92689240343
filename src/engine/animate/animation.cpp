#include "engine/animate/animation.h"

#include <cmath>
#include <string>

namespace zephyrin {
namespace {

std::string KeyframeName(std::size_t index) {
    return "keyframe " + std::to_string(index + 1);
}

std::int64_t SegmentFrames(const Animation& animation) {
    std::int64_t frames = 0;
    for (std::size_t s = 0; s < SegmentCount(animation); ++s) frames += animation.keyframes[s].frames;
    return frames;
}

}  // namespace

std::size_t SegmentCount(const Animation& animation) {
    const std::size_t keyframes = animation.keyframes.size();
    if (keyframes == 0) return 0;
    return animation.loop ? keyframes : keyframes - 1;
}

std::int64_t FrameCount(const Animation& animation) {
    if (animation.keyframes.empty()) return 0;
    return SegmentFrames(animation) + (animation.loop ? 0 : 1);
}

std::int64_t KeyframeFrame(const Animation& animation, std::size_t index) {
    std::int64_t frame = 0;
    for (std::size_t s = 0; s < index; ++s) frame += animation.keyframes[s].frames;
    return frame;
}

Result<> SpreadFrames(Animation& animation, std::int64_t frames) {
    const auto segments = static_cast<std::int64_t>(SegmentCount(animation));
    const std::int64_t steps = animation.loop ? frames : frames - 1;
    if (segments == 0 || steps < segments)
        return Failure(std::to_string(frames) + " frames are too few for " +
                       std::to_string(animation.keyframes.size()) + " keyframes: at least " +
                       std::to_string(animation.loop ? segments : segments + 1) + " are needed");
    for (std::int64_t s = 0; s < segments; ++s)
        animation.keyframes[static_cast<std::size_t>(s)].frames =
            steps / segments + (s < steps % segments ? 1 : 0);
    return {};
}

Result<> CheckAnimation(const Animation& animation) {
    const std::vector<Keyframe>& keyframes = animation.keyframes;
    if (keyframes.size() < 2) return Failure("an animation needs at least two keyframes");
    std::int64_t frames = 0;
    for (std::size_t s = 0; s < SegmentCount(animation); ++s) {
        if (keyframes[s].frames < 1 || keyframes[s].frames > kMostFrames)
            return Failure(KeyframeName(s) + " needs from 1 to " + std::to_string(kMostFrames) +
                           " frames to the next");
        frames += keyframes[s].frames;
    }
    if (frames >= kMostFrames)
        return Failure("the animation has more than " + std::to_string(kMostFrames) + " frames");
    for (std::size_t i = 0; i < keyframes.size(); ++i) {
        const double zoom = keyframes[i].record.zoom;
        if (!std::isfinite(zoom) || zoom <= 0)
            return Failure(KeyframeName(i) + " has a magnification that is not above 0");
    }
    for (std::size_t s = 0; s < SegmentCount(animation); ++s) {
        const std::size_t next = (s + 1) % keyframes.size();
        const std::int32_t from = keyframes[s].record.formula, to = keyframes[next].record.formula;
        if (from != to && !keyframes[next].cut)
            return Failure(KeyframeName(next) + " changes the formula from " + std::to_string(from) + " to " +
                           std::to_string(to) + " without a cut: mark it a cut to jump there");
    }
    return {};
}

PathPosition PositionAt(const Animation& animation, double time) {
    const std::size_t segments = SegmentCount(animation);
    const auto total = static_cast<double>(SegmentFrames(animation));
    if (segments == 0 || !(total > 0)) return {};
    if (animation.loop) {
        time = std::fmod(time, total);
        if (time < 0) time += total;
    } else if (time >= total) {
        return {segments, 0};
    } else if (!(time > 0)) {
        return {};
    }
    for (std::size_t s = 0; s < segments; ++s) {
        const auto frames = static_cast<double>(animation.keyframes[s].frames);
        if (time < frames) return {s, time / frames};
        time -= frames;
    }
    // Rounding left a whisker past the last segment: the loop is round again.
    return animation.loop ? PathPosition{} : PathPosition{segments, 0};
}

bool Moves(const Animation& animation, std::size_t segment) {
    if (segment >= SegmentCount(animation)) return false;
    return !animation.keyframes[(segment + 1) % animation.keyframes.size()].cut;
}

std::optional<std::size_t> MovesFrom(const Animation& animation, std::size_t index) {
    const std::size_t keyframes = animation.keyframes.size();
    if (index == 0 && !animation.loop) return std::nullopt;
    const std::size_t previous = (index + keyframes - 1) % keyframes;
    if (!Moves(animation, previous)) return std::nullopt;
    return previous;
}

std::optional<std::size_t> MovesTo(const Animation& animation, std::size_t index) {
    if (!Moves(animation, index)) return std::nullopt;
    return (index + 1) % animation.keyframes.size();
}

}  // namespace zephyrin
