// The run loop: random start, reset, the per-iteration frame and the rule
// that nested drawings share one engine.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/core/defaults.h"
#include "engine/core/engine.h"
#include "engine/core/view_coords.h"
#include "engine/test_engine.h"
#include "engine/test_host.h"

namespace zephyrin {
namespace {

using testing::TestHost;

// A new window's record with its view frozen, as at a drawing start.
TFractalRec FrozenNewWindow(int width = 40, int height = 30) {
    TFractalRec v = NewWindowRecord(width, height);
    FreezeView(v);
    return v;
}

TEST(RunEngine, StopSetAtEntryStillStartsAndClearsButDoesNotIterate) {
    TFractalRec v = FrozenNewWindow();
    v.stop = kTrue;
    TestHost host(v);
    host.Image().SetPixel(3, 4, 0xFFFFFF);
    TestEngine engine(1);
    engine.RunEngine(v, host);
    EXPECT_EQ(v.iterations, 0);
    EXPECT_EQ(host.pumped, 0);
    EXPECT_EQ(v.randomStart, kFalse) << "the random start still happens";
    EXPECT_EQ(host.Image().Pixel(3, 4), 0u);
    ASSERT_EQ(host.hitList.size(), 40u * 40u) << "a square of the larger side";
    for (std::int32_t count : host.hitList) ASSERT_EQ(count, 50);
    EXPECT_EQ(host.updateParametersCalls, 1);
    EXPECT_EQ(engine.Depth(), 0);
}

TEST(RunEngine, ASmallerDrawingGivesTheLargerOnesCountersBack) {
    TFractalRec v = FrozenNewWindow(400, 300);
    TestHost host(v);
    TestEngine engine(1);
    engine.Attach(v, host);
    engine.ResetDrawing();
    ASSERT_EQ(host.hitList.capacity(), 400u * 400u);
    v.width = v.listWidth = 40;
    v.height = v.listHeight = 30;
    engine.ResetDrawing();
    EXPECT_EQ(host.hitList.size(), 40u * 40u);
    EXPECT_EQ(host.hitList.capacity(), 40u * 40u);
}

TEST(RunEngine, WhiteBackgroundAndStopAfterAGivenCount) {
    TFractalRec v = FrozenNewWindow();
    v.white = kTrue;
    v.varNone = v.varSwirl = kFalse;  // nothing plotted: the background stays
    TestHost host(v);
    host.StopAfter(25);
    TestEngine engine(1);
    engine.RunEngine(v, host);
    EXPECT_EQ(v.iterations, 25);
    EXPECT_EQ(host.Image().Pixel(0, 0), Picture::Pack(255, 255, 255));
    EXPECT_EQ(host.Image().Pixel(39, 29), Picture::Pack(255, 255, 255));
}

TEST(RunEngine, RandomStartFillsTheRecordWithinTheRandomizerRange) {
    TFractalRec v = FrozenNewWindow();
    v.randomizer = 0.5;
    v.ticks = 9;
    TestHost host(v);
    host.StopAfter(1);
    TestEngine engine(3);
    engine.RunEngine(v, host);
    for (int i = 1; i <= 120; ++i) {
        EXPECT_GE(v.af[i], -0.25) << i;
        EXPECT_LT(v.af[i], 0.25) << i;
    }
    EXPECT_EQ(v.AACopy, v.AAStart);
    EXPECT_GE(v.startX, -0.25);
    EXPECT_LT(v.startY, 0.25);
    EXPECT_EQ(v.ticks, 0);
}

TEST(RunEngine, WithoutRandomStartTheRecordsValuesAreUsedAsTheyAre) {
    TFractalRec v = FrozenNewWindow();
    v.randomStart = kFalse;
    for (int i = 1; i <= 120; ++i) v.af[i] = 0.01 * i;
    v.AAStart = 0.75;
    v.startX = 0.5;
    v.startY = -0.5;
    TestHost host(v);
    host.StopAfter(10);
    TestEngine engine(3);
    engine.RunEngine(v, host);
    EXPECT_EQ(v.af[7], 0.07);
    EXPECT_EQ(v.AA, 0.75);
    EXPECT_EQ(v.startX, 0.5);
    EXPECT_EQ(v.startY, -0.5);
}

TEST(RunEngine, ModulasActsAtIterationZeroAndEveryThousandAndCyclesCount) {
    TFractalRec v = FrozenNewWindow();
    v.formula = 73;
    v.randomStart = kFalse;
    v.AAStart = 1.0;
    TestHost host(v);
    host.effects.modulas = kTrue;
    TestEngine engine(5);
    host.onPump = [&](long pumped) {
        if (pumped == 1) {
            EXPECT_DOUBLE_EQ(v.AA, 1.0 - 0.0002 * std::sin(1.0));
            EXPECT_EQ(engine.cycles, 1);
        }
        if (pumped == 1000) {
            EXPECT_EQ(engine.cycles, 1);
        }
        if (pumped == 1001) {
            EXPECT_EQ(engine.cycles, 2);
        }
    };
    host.StopAfter(2500);
    engine.RunEngine(v, host);
    EXPECT_EQ(engine.cycles, 3);
    double a = 1.0;
    for (int i = 0; i < 3; ++i) a = a - 0.0002 * std::sin(a);
    EXPECT_DOUBLE_EQ(v.AA, a);
}

TEST(RunEngine, HFormulasRestartRandomlyEveryThousandIterations) {
    TFractalRec v = FrozenNewWindow();
    v.formula = 30;
    v.randomStart = kFalse;
    TestHost host(v);
    TestEngine engine(11);
    std::vector<long> restarts;
    double lastA = v.AAStart;
    host.onPump = [&](long pumped) {
        if (v.AAStart != lastA) restarts.push_back(pumped);
        lastA = v.AAStart;
    };
    host.StopAfter(2500);
    engine.RunEngine(v, host);
    EXPECT_EQ(restarts, (std::vector<long>{1, 1001, 2001}));
}

TEST(RunEngine, TransformOffsetsFollowTheirProbabilities) {
    TFractalRec v = FrozenNewWindow();
    v.formula = 73;
    v.varNone = v.varSwirl = kFalse;
    v.randomStart = kFalse;
    TestHost host(v);
    TestEngine engine(17);
    int counts[3] = {0, 0, 0};
    host.onPump = [&](long) { ++counts[engine.j == 0 ? 0 : engine.j == 19 ? 1 : 2]; };
    const int n = 240000;
    host.StopAfter(n);
    engine.RunEngine(v, host);
    // Mode 3: 37/120, 1/3, 43/120; five standard deviations is under 0.5 %.
    EXPECT_NEAR(counts[0] / double(n), 37.0 / 120, 0.005);
    EXPECT_NEAR(counts[1] / double(n), 1.0 / 3, 0.005);
    EXPECT_NEAR(counts[2] / double(n), 43.0 / 120, 0.005);

    v.transformMode = 1;
    v.stop = kFalse;
    counts[0] = counts[1] = counts[2] = 0;
    host.pumped = 0;
    engine.RunEngine(v, host);
    EXPECT_NEAR(counts[0] / double(n), 0.925, 0.005);
    EXPECT_EQ(counts[2], 0);
}

TEST(RunEngine, IterationsWrapInsteadOfOverflowing) {
    TFractalRec v = FrozenNewWindow();
    TestHost host(v);
    TestEngine engine(1);
    engine.Attach(v, host);
    engine.ResetDrawing();
    v.iterations = std::numeric_limits<std::int32_t>::max();
    engine.EngineStep();
    EXPECT_EQ(v.iterations, std::numeric_limits<std::int32_t>::min());
}

TEST(RunEngine, ASeededEngineIsReproducible) {
    auto draw = [](std::uint64_t seed) {
        TFractalRec v = FrozenNewWindow(64, 48);
        TestHost host(v);
        host.StopAfter(20000);
        TestEngine engine(seed);
        engine.RunEngine(v, host);
        return std::vector<std::uint32_t>(host.Image().Words(), host.Image().Words() + 64 * 48);
    };
    EXPECT_EQ(draw(42), draw(42));
    EXPECT_NE(draw(42), draw(43));
}

TEST(RunEngine, ClockSeededRandomStartsDiffer) {
    TFractalRec first = FrozenNewWindow(), second = FrozenNewWindow();
    first.stop = second.stop = kTrue;
    TestHost host1(first), host2(second);
    TestEngine engine;
    engine.RunEngine(first, host1);
    engine.RunEngine(second, host2);
    EXPECT_NE(first.af, second.af);
}

// Window A starts a drawing in window B from inside its message dispatch;
// B's stop ends both, and A does not advance while B draws.
TEST(RunEngine, OnlyTheLatestDrawingAdvancesAndItsEndEndsAll) {
    TFractalRec a = FrozenNewWindow(), b = FrozenNewWindow();
    TestHost hostA(a), hostB(b);
    TestEngine engine(9);
    std::int32_t aIterationsDuringB = -1;
    hostB.onPump = [&](long pumped) {
        aIterationsDuringB = a.iterations;
        EXPECT_EQ(engine.Depth(), 2);
        if (pumped == 5) b.stop = kTrue;
    };
    hostA.onPump = [&](long pumped) {
        if (pumped == 10) engine.RunEngine(b, hostB);
    };
    engine.RunEngine(a, hostA);
    EXPECT_EQ(a.iterations, 10);
    EXPECT_EQ(b.iterations, 5);
    EXPECT_EQ(aIterationsDuringB, 10);
    EXPECT_EQ(a.stop, kFalse) << "A ended because the shared record stopped";
    EXPECT_EQ(engine.Depth(), 0);
}

TEST(RunEngine, TheEnginePlotsIntoWhateverPictureTheHostHoldsNow) {
    TFractalRec v = FrozenNewWindow();
    v.intensity = 64;
    TestHost host(v);
    Picture replacement(40, 30);
    host.onPump = [&](long pumped) {
        if (pumped == 1) host.picture = &replacement;
    };
    host.StopAfter(20000);
    TestEngine engine(21);
    engine.RunEngine(v, host);
    int lit = 0;
    for (int row = 0; row < 30; ++row)
        for (int column = 0; column < 40; ++column) lit += replacement.Pixel(column, row) != 0;
    EXPECT_GT(lit, 0);
}

// Drawn on from counts made elsewhere, the orbit starts again at the start
// point and adds to them: N iterations and then M more resumed count what N
// and, apart, M fresh ones count together (seeded engines with N a multiple
// of 1000 make the same random draws for the M).
TEST(ResumeEngine, AddsToTheCountsAndIterationsWithoutAResetOrARandomStart) {
    constexpr long kFirst = 3000, kMore = 2000;
    TFractalRec v = FrozenNewWindow();
    TestHost first(v);
    first.StopAfter(kFirst);
    TestEngine(1).RunEngine(v, first);
    const TFractalRec drawn = v;

    TFractalRec apart = drawn;
    apart.stop = kFalse;
    TestHost fresh(apart);
    fresh.StopAfter(kMore);
    TestEngine(2).RunEngine(apart, fresh);

    TFractalRec resumed = drawn;
    resumed.stop = kFalse;
    resumed.randomStart = kTrue;  // not taken up
    TestHost goingOn(resumed);
    goingOn.hitList = first.hitList;
    goingOn.Image() = first.Image();
    goingOn.StopAfter(kMore);
    TestEngine engine(2);
    engine.ResumeEngine(resumed, goingOn);

    EXPECT_EQ(resumed.iterations, kFirst + kMore);
    EXPECT_EQ(resumed.af, drawn.af);
    EXPECT_EQ(goingOn.updateParametersCalls, 0);
    EXPECT_EQ(engine.Depth(), 0);
    ASSERT_EQ(goingOn.hitList.size(), first.hitList.size());
    std::int64_t added = 0;
    for (std::size_t i = 0; i < goingOn.hitList.size(); ++i) {
        ASSERT_EQ(goingOn.hitList[i], first.hitList[i] + fresh.hitList[i] - kUntouchedCount) << i;
        added += fresh.hitList[i] - kUntouchedCount;
    }
    EXPECT_GT(added, 0);
    // Pixels the resumed orbit does not reach keep the first drawing's colour.
    for (int row = 0; row < v.height; ++row) {
        for (int column = 0; column < v.width; ++column) {
            if (fresh.hitList[static_cast<std::size_t>(column) * 40 + row] == kUntouchedCount) {
                ASSERT_EQ(goingOn.Image().Pixel(column, row), first.Image().Pixel(column, row));
            }
        }
    }
}

}  // namespace
}  // namespace zephyrin
