// The path check: how a frame's measures are judged, and a path that
// leaves the chaotic region.
#include "engine/animate/path_chaos.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/core/defaults.h"
#include "engine/core/formula_table.h"
#include "engine/core/view_coords.h"

namespace zephyrin {
namespace {

OrbitMeasures Wandering(double lyapunov, double dimension) {
    return {.measured = true, .kind = OrbitKind::kWandering, .lyapunov = lyapunov, .dimension = dimension};
}

TEST(PathChaos, VerdictsAndWhatIsReported) {
    const struct {
        OrbitMeasures measures;
        int formula;
        FrameVerdict verdict;
        bool flagged, flaggedWithQuasiPeriodic;
    } cases[] = {
        {Wandering(0.2, 1.3), 63, FrameVerdict::kChaotic, false, false},
        {Wandering(0.004, 1.0), 63, FrameVerdict::kQuasiPeriodic, true, false},
        {Wandering(0.004, 0.5), 63, FrameVerdict::kNotChaotic, true, true},
        {Wandering(-0.2, 1.3), 63, FrameVerdict::kNotChaotic, true, true},
        // Contracting maps chosen at random, and restarts without an exponent.
        {Wandering(std::log(0.5), 1.58), 70, FrameVerdict::kChaotic, false, false},
        {Wandering(std::nan(""), 1.2), 23, FrameVerdict::kChaotic, false, false},
        {{.measured = true, .kind = OrbitKind::kCycle}, 63, FrameVerdict::kCycle, true, true},
        {{.measured = true, .kind = OrbitKind::kFixedPoint}, 63, FrameVerdict::kFixedPoint, true, true},
        {{.measured = true, .kind = OrbitKind::kRunaway}, 70, FrameVerdict::kRunaway, true, true},
        {{}, 0, FrameVerdict::kNotMeasured, false, false},
    };
    for (const auto& c : cases) {
        const FrameVerdict verdict = JudgeFrame(c.measures, c.formula);
        EXPECT_EQ(verdict, c.verdict) << VerdictText(c.verdict);
        EXPECT_EQ(Flagged(verdict, false), c.flagged) << VerdictText(c.verdict);
        EXPECT_EQ(Flagged(verdict, true), c.flaggedWithQuasiPeriodic) << VerdictText(c.verdict);
    }
}

// A formula 12 attractor (found from seed 4) whose A moved down by 0.005
// settles on a cycle: along the path the frames are chaotic, then cycles
// from the crossing on, near A = -0.3948.
Animation IntoACycle() {
    TFractalRec v = NewWindowRecord(160, 120);
    SelectFormula(v, 12);
    v.randomStart = kFalse;
    v.AAStart = v.AA = v.AACopy = -0.391571582295251;
    v.startX = -0.92162178503187;
    v.startY = 0.185936378724646;
    FreezeView(v);
    TFractalRec cycle = v;
    cycle.AAStart = cycle.AA = cycle.AACopy = v.AAStart - 0.005;
    return {.keyframes = {{.record = v, .frames = 20}, {.record = cycle}}};
}

TEST(PathChaos, FlagsTheFramesPastTheCrossing) {
    ThreadPool pair(2), single(1);
    const Result<std::vector<FrameChaos>> path = CheckPath(IntoACycle(), 0, 20, 3, pair);
    ASSERT_TRUE(path);
    ASSERT_EQ(path->size(), 21u);
    std::size_t firstFlagged = path->size();
    for (std::size_t i = 0; i < path->size(); ++i) {
        EXPECT_EQ((*path)[i].frame, static_cast<std::int64_t>(i));
        const bool flagged = Flagged((*path)[i].verdict, false);
        if (flagged && firstFlagged == path->size()) firstFlagged = i;
        EXPECT_EQ(flagged, i >= firstFlagged) << "frame " << i << " " << VerdictText((*path)[i].verdict);
    }
    EXPECT_GE(firstFlagged, 8u);
    EXPECT_LE(firstFlagged, 16u);
    EXPECT_EQ(path->back().verdict, FrameVerdict::kCycle);

    // The same frames measured alone, as another job of the animation would.
    const Result<std::vector<FrameChaos>> alone = CheckPath(IntoACycle(), 12, 13, 3, single);
    ASSERT_TRUE(alone);
    EXPECT_EQ((*alone)[0].measures.lyapunov, (*path)[12].measures.lyapunov);
    EXPECT_EQ((*alone)[1].verdict, (*path)[13].verdict);
}

TEST(PathChaos, AStopEndsTheCheckWithTheFramesMeasured) {
    ThreadPool pair(2);
    std::stop_source stop;
    stop.request_stop();
    const Result<std::vector<FrameChaos>> path = CheckPath(IntoACycle(), 0, 20, 3, pair, stop.get_token());
    ASSERT_TRUE(path);
    EXPECT_TRUE(path->empty());
}

}  // namespace
}  // namespace zephyrin
