// What a frame is drawn from: the counts drawings it needs, the keyframes'
// tones, keyframes read from an animation file at a size, and the path
// check on a pool.
#include "engine/animate/frame_counts.h"

#include <gtest/gtest.h>

#include "engine/animate/animation_loading.h"
#include "engine/animate/path_check_job.h"
#include "engine/core/defaults.h"
#include "engine/core/formula_table.h"
#include "engine/core/view_coords.h"
#include "engine/file/param_file.h"

namespace zephyrin {
namespace {

constexpr double kA = -0.391571582295251;

TFractalRec Record(double a, std::int32_t formula = 12) {
    TFractalRec v = NewWindowRecord(160, 120);
    SelectFormula(v, formula);
    v.randomStart = kFalse;
    v.AAStart = v.AA = v.AACopy = a;
    v.startX = -0.92162178503187;
    v.startY = 0.185936378724646;
    FreezeView(v);
    return v;
}

// A straight path from A = kA to kA + 0.01 over 10 frames.
Animation Path() {
    return {.keyframes = {{.record = Record(kA), .frames = 10}, {.record = Record(kA + 0.01)}}};
}

TEST(FrameCounts, MotionBlurSharesTheBudgetOverTheFramesSlice) {
    const FrameSettings blurred{.iterations = 1001, .motionBlur = 4};
    const std::vector<CountsRun> runs = FrameSampleRuns(Path(), 3, 100, blurred);
    ASSERT_EQ(runs.size(), 4u);
    // 1001 = 4 x 250 + 1; the samples at 2.625, 2.875, 3.125 and 3.375 frames.
    const double times[] = {2.625, 2.875, 3.125, 3.375};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(runs[i].iterations, i == 0 ? 251 : 250);
        EXPECT_NEAR(runs[i].record.AAStart, kA + 0.001 * times[i], 1e-12);
        if (i > 0) {
            EXPECT_NE(runs[i].seed, runs[i - 1].seed);
        }
    }
    EXPECT_EQ(runs[0].seed, 103u);

    const std::vector<CountsRun> sharp = FrameSampleRuns(Path(), 3, 100, {.iterations = 1001});
    ASSERT_EQ(sharp.size(), 1u);
    EXPECT_EQ(sharp[0].iterations, 1001);
    EXPECT_EQ(sharp[0].seed, 103u);
    EXPECT_NEAR(sharp[0].record.AAStart, kA + 0.003, 1e-12);
}

TEST(FrameCounts, EachKeyframesToneIsMeasuredOnceFromItsOwnFrame) {
    const Animation path = Path();
    const FrameSettings settings{.iterations = 5000};
    const CountsRun second = KeyframeToneRun(path, 1, 100, settings);
    EXPECT_EQ(second.seed, 110u);
    EXPECT_EQ(second.iterations, 5000);
    EXPECT_EQ(second.record.AAStart, kA + 0.01);

    KeyframeTones tones(2);
    const PathPosition between = PositionAt(path, 3);
    EXPECT_EQ(tones.Missing(path, between), (std::vector<std::size_t>{0, 1}));
    CountGrid counts(4, 4);
    tones.Measure(0, counts, 1);
    EXPECT_EQ(tones.Missing(path, between), (std::vector<std::size_t>{1}));
    EXPECT_TRUE(tones.Missing(path, PositionAt(path, 0)).empty());
}

TEST(AnimationLoading, KeyframesAreTheirTextsAtTheSizeAndBrokenOnesAreNamed) {
    const auto text = [](const TFractalRec& v) {
        return WriteParameterText(v, Effects{}, DensitySettings{}, '.');
    };
    AnimationDocument document{
        .keyframes = {{text(Record(kA)), 5, false}, {text(Record(kA + 0.01)), {}, false}}};
    const Result<LoadedAnimation> loaded = LoadAnimation(document, 64, 48);
    ASSERT_TRUE(loaded) << loaded.error();
    EXPECT_EQ(FrameCount(loaded->animation), 6);
    EXPECT_EQ(loaded->animation.keyframes[1].record.width, 64);
    EXPECT_EQ(loaded->animation.keyframes[1].record.AAStart, kA + 0.01);
    EXPECT_EQ(loaded->gradients.size(), 2u);

    AnimationDocument broken = document;
    broken.keyframes[1].parameters = "Zephyrin v1.000\r\nseventy\r\n";
    const Result<LoadedAnimation> refused = LoadAnimation(broken, 64, 48);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("keyframe 2"), std::string::npos) << refused.error();

    AnimationDocument uncut = document;
    uncut.keyframes[1].parameters = text(Record(kA, 13));
    EXPECT_FALSE(LoadAnimation(uncut, 64, 48));
    uncut.keyframes[1].cut = true;
    EXPECT_TRUE(LoadAnimation(uncut, 64, 48));
}

TEST(PathCheckJob, JudgesEveryFrameAsThePathCheckDoes) {
    Animation path = Path();
    path.keyframes[0].frames = 3;
    ThreadPool pool(2);
    PathCheckJob job(pool, path, 0, 3, 7);
    job.Start();
    while (!job.WaitFor(std::chrono::milliseconds(10))) {
    }
    ASSERT_FALSE(job.Failure());
    ThreadPool single(1);
    const Result<std::vector<FrameChaos>> alone = CheckPath(path, 0, 3, 7, single);
    ASSERT_TRUE(alone);
    ASSERT_EQ(job.Frames().size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(job.Frames()[i].frame, static_cast<std::int64_t>(i));
        EXPECT_EQ(job.Frames()[i].verdict, (*alone)[i].verdict);
        EXPECT_EQ(job.Frames()[i].measures.lyapunov, (*alone)[i].measures.lyapunov);
    }
}

}  // namespace
}  // namespace zephyrin
