// The path through the keyframes: frames shared out, positions, straight
// and smooth values worked out by hand, and whole frames.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/animate/animation.h"
#include "engine/animate/frame_state.h"
#include "engine/animate/path_curve.h"
#include "engine/animate/tone_path.h"
#include "engine/core/defaults.h"
#include "engine/core/view_coords.h"

namespace zephyrin {
namespace {

Keyframe KeyframeWith(double intensity, std::int64_t frames, bool cut = false) {
    Keyframe k{.record = NewWindowRecord(40, 30), .frames = frames, .cut = cut};
    k.record.randomStart = kFalse;
    k.record.intensity = intensity;
    FreezeView(k.record);
    return k;
}

// Keyframes whose intensity is `values`, with `frames` to the next.
Animation Path(std::vector<double> values, std::vector<std::int64_t> frames, bool loop, bool smooth) {
    Animation animation{.loop = loop, .smooth = smooth};
    for (std::size_t i = 0; i < values.size(); ++i)
        animation.keyframes.push_back(KeyframeWith(values[i], i < frames.size() ? frames[i] : 0));
    return animation;
}

double ValueAt(const Animation& animation, double time) {
    std::vector<double> values;
    for (const Keyframe& k : animation.keyframes) values.push_back(k.record.intensity);
    return PathValue(animation, values, PositionAt(animation, time));
}

// The slopes just before and just after `time`.
constexpr double kStep = 1e-6;
double SlopeBefore(const Animation& animation, double time) {
    return (ValueAt(animation, time) - ValueAt(animation, time - kStep)) / kStep;
}
double SlopeAfter(const Animation& animation, double time) {
    return (ValueAt(animation, time + kStep) - ValueAt(animation, time)) / kStep;
}

TEST(AnimationFrames, SharedOutOverTheSegments) {
    Animation open = Path({0, 0, 0}, {}, false, false);
    ASSERT_TRUE(SpreadFrames(open, 10));  // 9 steps over 2 segments
    EXPECT_EQ(open.keyframes[0].frames, 5);
    EXPECT_EQ(open.keyframes[1].frames, 4);
    EXPECT_EQ(FrameCount(open), 10);
    EXPECT_EQ(KeyframeFrame(open, 2), 9);

    Animation loop = Path({0, 0, 0}, {}, true, false);
    ASSERT_TRUE(SpreadFrames(loop, 10));  // 10 steps over 3 segments; frame 10 is keyframe 1 again
    EXPECT_EQ(loop.keyframes[0].frames, 4);
    EXPECT_EQ(loop.keyframes[2].frames, 3);
    EXPECT_EQ(FrameCount(loop), 10);
    EXPECT_FALSE(SpreadFrames(open, 2));
}

TEST(AnimationFrames, FormulaChangesOnlyAtACut) {
    Animation animation = Path({0, 0, 0}, {4, 4}, false, false);
    EXPECT_TRUE(CheckAnimation(animation));
    animation.keyframes[2].record.formula = 63;
    EXPECT_EQ(CheckAnimation(animation).error(),
              "keyframe 3 changes the formula from 70 to 63 without a cut: mark it a cut to jump there");
    animation.keyframes[2].cut = true;
    EXPECT_TRUE(CheckAnimation(animation));
    // Round a loop, the first keyframe follows the last.
    animation.loop = true;
    animation.keyframes[2].frames = 4;
    EXPECT_FALSE(CheckAnimation(animation));
    animation.keyframes[0].cut = true;
    EXPECT_TRUE(CheckAnimation(animation));

    animation.keyframes[1].record.zoom = 0;
    EXPECT_EQ(CheckAnimation(animation).error(), "keyframe 2 has a magnification that is not above 0");
    EXPECT_FALSE(CheckAnimation(Path({0}, {4}, false, false)));
    EXPECT_FALSE(CheckAnimation(Path({0, 1}, {0}, false, false)));
}

TEST(AnimationPath, StraightAndHeldAtTheEnds) {
    const Animation path = Path({0, 10, 40}, {5, 10}, false, false);
    EXPECT_EQ(ValueAt(path, 2.5), 5);
    EXPECT_EQ(ValueAt(path, 10), 25);  // halfway from 10 to 40
    EXPECT_EQ(ValueAt(path, 15), 40);
    EXPECT_EQ(ValueAt(path, 99), 40);
    EXPECT_EQ(ValueAt(path, -3), 0);
    EXPECT_EQ(PositionAt(path, 15).segment, 2u);
}

// The slope at keyframe 2 is (40 - 0) / (5 + 10) = 8/3 from both sides,
// though its segments have different frames; the ends take the chord's.
TEST(AnimationPath, SmoothThroughTheKeyframesWithOneSlope) {
    const Animation path = Path({0, 10, 40}, {5, 10}, false, true);
    EXPECT_EQ(ValueAt(path, 5), 10);
    EXPECT_NEAR(SlopeBefore(path, 5), 8.0 / 3, 1e-4);
    EXPECT_NEAR(SlopeAfter(path, 5), 8.0 / 3, 1e-4);
    EXPECT_NEAR(SlopeAfter(path, 0), 2, 1e-4);  // (10 - 0) / 5
    // Hermite halfway along the first segment: (0 + 10) / 2 + (2 - 8/3) * 5 / 8.
    EXPECT_NEAR(ValueAt(path, 2.5), 5 - 5.0 / 12, 1e-12);
}

// Round the loop the slope at keyframe 1 is (10 - 4) / (4 + 3): the same on
// both sides of the join, where the value comes back to 0.
TEST(AnimationPath, ALoopJoinsWithValueAndSlope) {
    const Animation loop = Path({0, 10, 4}, {3, 5, 4}, true, true);
    EXPECT_EQ(FrameCount(loop), 12);
    EXPECT_NEAR(ValueAt(loop, 12 - 1e-9), 0, 1e-8);
    EXPECT_EQ(ValueAt(loop, 12), 0);
    EXPECT_NEAR(SlopeBefore(loop, 12), 6.0 / 7, 1e-4);
    EXPECT_NEAR(SlopeAfter(loop, 0), 6.0 / 7, 1e-4);
    EXPECT_EQ(ValueAt(loop, 12 + 3), 10);
}

// Into a cut the path holds; beside it the slopes are one-sided.
TEST(AnimationPath, ACutHoldsThenJumps) {
    Animation path = Path({0, 10, 50, 60}, {4, 4, 4}, false, true);
    path.keyframes[2].cut = true;
    EXPECT_EQ(ValueAt(path, 6), 10);
    EXPECT_EQ(ValueAt(path, 8), 50);
    EXPECT_NEAR(SlopeBefore(path, 4), 10.0 / 4, 1e-4);
    EXPECT_NEAR(SlopeAfter(path, 8), 10.0 / 4, 1e-4);
    EXPECT_EQ(PathKeyframes(path, PositionAt(path, 5)), (std::vector<std::size_t>{1}));
    EXPECT_EQ(PathKeyframes(path, PositionAt(path, 1)), (std::vector<std::size_t>{0, 1}));
}

TEST(AnimationFrame, KeyframesExactlyAndEveryRealBetween) {
    Animation path = Path({10, 30}, {4}, false, false);
    Keyframe& last = path.keyframes[1];
    last.record.af[120] = 2;
    last.record.AAStart = 1;
    last.record.zoom = 0.04;  // four times the first's 0.01
    last.record.varSpherical = kTrue;
    last.density.gamma = 4.2;
    last.density.gradient = "ice";
    FreezeView(last.record);

    const FrameState atKeyframe = FrameAt(path, 4);
    EXPECT_EQ(atKeyframe.record.af, last.record.af);
    EXPECT_EQ(atKeyframe.record.plotXMin, last.record.plotXMin);
    EXPECT_EQ(atKeyframe.record.varSpherical, kTrue);

    const FrameState half = FrameAt(path, 2);
    EXPECT_EQ(half.record.intensity, 20);
    EXPECT_EQ(half.record.af[120], 1);
    EXPECT_EQ(half.record.AA, 0.5);
    EXPECT_NEAR(half.record.zoom, 0.02, 1e-15);  // halfway on a log scale
    EXPECT_NEAR(half.record.plotXMax - half.record.plotXMin, 2 * (2 / 0.02) * 1.1666666666666667, 1e-9);
    EXPECT_EQ(half.record.varSpherical, kFalse);  // the segment's keyframe's
    EXPECT_NEAR(half.density.gamma, 3.2, 1e-12);
    EXPECT_EQ(half.gradientTo, 1u);
    EXPECT_EQ(half.gradientBlend, 0.5);
}

TEST(AnimationFrame, ToneReferencesOnALogScale) {
    const Animation path = Path({0, 0, 0}, {4, 4}, false, false);
    const std::vector<std::optional<ToneReferences>> tones{ToneReferences{1, 100}, ToneReferences{4, 400},
                                                           std::nullopt};
    const std::optional<ToneReferences> half = ToneAt(path, PositionAt(path, 2), tones);
    ASSERT_TRUE(half);
    EXPECT_NEAR(half->median, 2, 1e-12);
    EXPECT_NEAR(half->reference, 200, 1e-9);
    EXPECT_EQ(ToneAt(path, PositionAt(path, 4), tones), tones[1]);
    EXPECT_EQ(ToneAt(path, PositionAt(path, 5), tones), std::nullopt);
}

}  // namespace
}  // namespace zephyrin
