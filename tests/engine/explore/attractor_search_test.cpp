// The orbit the search judges, framing, and the search itself.
#include "engine/explore/attractor_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/core/defaults.h"
#include "engine/core/formula_table.h"
#include "engine/core/view_coords.h"
#include "engine/explore/fit_view.h"
#include "engine/explore/orbit_probe.h"
#include "engine/known_records.h"
#include "engine/test_engine.h"
#include "engine/test_host.h"

namespace zephyrin {
namespace {

using testing::Sierpinski;
using testing::TestHost;

const std::atomic<bool> kNever{false};
constexpr SearchLimits kTriesOnly{.maxTries = 300, .maxTime = std::nullopt};

TEST(OrbitProbe, StepsAsTheEngineDraws) {
    // 63 has no random part, 70 picks its transform at random, and 23
    // makes a random start of its own every 1000 iterations.
    for (const int formula : {63, 70, 23}) {
        TFractalRec v = NewWindowRecord(40, 30);
        SelectFormula(v, formula);
        FreezeView(v);
        TestHost host(v);
        Engine(4).RandomStartIfPending(v, host);
        OrbitProbe probe(v, {}, 9);
        TestEngine engine(9);
        engine.Attach(v, host);
        engine.ResetDrawing();
        for (int i = 0; i < 2500; ++i) {
            engine.EngineStep();
            probe.Step();
            ASSERT_EQ(probe.Position().x, engine.x) << formula << " at " << i;
            ASSERT_EQ(probe.Position().y, engine.y) << formula << " at " << i;
            ASSERT_EQ(probe.Plotted().size(), 2u) << "None and Swirl";
            ASSERT_EQ(probe.Plotted().back().x, engine.x) << "None plots last";
        }
    }
}

TEST(FitView, FramesAKnownOrbitAndLeavesItsRareOutliersOut) {
    // 10000 points round the circle of radius 2 about (3, -1), and five far away.
    std::vector<Point2D> points;
    for (int i = 0; i < 10000; ++i)
        points.push_back({3 + 2 * std::cos(2.39996 * i), -1 + 2 * std::sin(2.39996 * i)});
    for (int i = 0; i < 5; ++i) points.push_back({1e6, -1e6});
    const PlaneBox box = *RobustBounds(points);
    EXPECT_NEAR(box.xMin, 1, 1e-3);
    EXPECT_NEAR(box.xMax, 5, 1e-3);
    EXPECT_NEAR(box.yMin, -3, 1e-3);
    EXPECT_NEAR(box.yMax, 1, 1e-3);

    TFractalRec v = NewWindowRecord(400, 300);
    ASSERT_TRUE(FrameBox(v, box));
    EXPECT_NEAR(v.xCenter, 3, 1e-3);
    EXPECT_NEAR(v.yCenter, -1, 1e-3);
    // The height is the tight side of a 4 x 4 box in a 4:3 picture: it shows
    // the box and a margin of less than a tenth of it on either side.
    EXPECT_LT(v.yMin, -3);
    EXPECT_GT(v.yMin, -3.4);
    EXPECT_GT(v.yMax, 1);
    EXPECT_LT(v.yMax, 1.4);
    EXPECT_NEAR((v.xMax - v.xMin) / (v.yMax - v.yMin), 4.0 / 3.0, 1e-12);

    TFractalRec unchanged = v;
    EXPECT_FALSE(FrameBox(unchanged, {2, 2, 5, 5})) << "a point";
    EXPECT_EQ(unchanged.zoom, v.zoom);
}

TEST(FitView, FramesWhatTheDrawingPlots) {
    TFractalRec v = Sierpinski();
    ASSERT_EQ(FitView(v, {}, 3), Result<bool>(true));
    // The triangle (0, 0), (1, 0), (0, 1) fills the height.
    EXPECT_NEAR(v.xCenter, 0.5, 0.02);
    EXPECT_NEAR(v.yCenter, 0.5, 0.02);
    EXPECT_LT(v.yMin, 0);
    EXPECT_GT(v.yMax, 1);
    EXPECT_LT(v.yMax - v.yMin, 1.2);

    TFractalRec point = Sierpinski();  // every transform to (0.5, 0.5)
    for (const int j : {0, 19, 39}) {
        point.af[j + 1] = point.af[j + 4] = 0;
        point.af[j + 5] = point.af[j + 6] = 0.5;
    }
    TFractalRec nothingPlotted = Sierpinski();
    nothingPlotted.varNone = kFalse;
    for (TFractalRec* record : {&point, &nothingPlotted}) {
        const double zoom = record->zoom;
        EXPECT_EQ(FitView(*record, {}, 3), Result<bool>(false));
        EXPECT_EQ(record->zoom, zoom);
    }
}

TEST(FitView, MakesAPendingRandomStartAsTheDrawingWould) {
    TFractalRec fitted = NewWindowRecord(400, 300);
    TFractalRec drawn = fitted;
    ASSERT_EQ(FitView(fitted, {}, 5), Result<bool>(true));
    TestHost host(drawn);
    Engine(5).RandomStartIfPending(drawn, host);
    EXPECT_EQ(fitted.randomStart, kFalse);
    EXPECT_TRUE(fitted.af == drawn.af);
    EXPECT_EQ(fitted.AAStart, drawn.AAStart);
    EXPECT_EQ(fitted.startX, drawn.startX);
}

TEST(FindAttractor, FindsReproduciblyAStartThatLightsThePicture) {
    for (const int formula : {63, 70}) {
        TFractalRec v = NewWindowRecord(400, 300);
        SelectFormula(v, formula);
        TFractalRec again = v;
        const Result<SearchResult> found = FindAttractor(v, {}, kTriesOnly, 42, kNever);
        ASSERT_TRUE(found && found->outcome == SearchOutcome::kFound) << formula;
        EXPECT_EQ(FindAttractor(again, {}, kTriesOnly, 42, kNever)->tries, found->tries);
        EXPECT_TRUE(again.af == v.af && again.AAStart == v.AAStart && again.startX == v.startX &&
                    again.zoom == v.zoom && again.xCenter == v.xCenter);
        EXPECT_EQ(v.randomStart, kFalse);
        EXPECT_EQ(v.AA, v.AAStart);
        EXPECT_EQ(v.AACopy, v.AAStart);
        EXPECT_EQ(std::isnan(found->lyapunov), formula == 70) << "IFS are judged by what they light";

        // The engine draws it over at least 2 % of the picture.
        FreezeView(v);
        TestHost host(v);
        host.StopAfter(300000);
        Engine(1).RunEngine(v, host);
        int lit = 0;
        for (int column = 0; column < 400; ++column)
            for (int row = 0; row < 300; ++row) lit += host.hitList[column * 400 + row] != kUntouchedCount;
        EXPECT_GE(lit, 0.02 * 400 * 300) << formula;
    }
}

TEST(FindAttractor, EndsWithTheRecordUnchangedWhenNothingPasses) {
    // A random range of 0 makes every coefficient and start 0: formula 70
    // then maps every point to the origin, which the rescue keeps replacing.
    TFractalRec v = NewWindowRecord(400, 300);
    v.randomizer = 0;
    const Result<SearchResult> exhausted = FindAttractor(v, {}, {.maxTries = 5, .maxTime = {}}, 1, kNever);
    EXPECT_EQ(exhausted->outcome, SearchOutcome::kNotFound);
    EXPECT_EQ(exhausted->tries, 5);
    EXPECT_EQ(exhausted->rejected.runaway, 5);
    EXPECT_EQ(v.randomStart, kTrue);

    TFractalRec noMap = NewWindowRecord(400, 300);
    SelectFormula(noMap, 73);
    EXPECT_EQ(FindAttractor(noMap, {}, kTriesOnly, 1, kNever)->tries, 0);

    const std::atomic<bool> cancelled{true};
    TFractalRec stopped = NewWindowRecord(400, 300);
    const Result<SearchResult> cancel = FindAttractor(stopped, {}, kTriesOnly, 1, cancelled);
    EXPECT_EQ(cancel->outcome, SearchOutcome::kCancelled);
    EXPECT_EQ(stopped.randomStart, kTrue);
    EXPECT_EQ(stopped.zoom, 0.01);
}

TEST(FindAttractor, FormulasThatRestartThemselvesTakeTheFirstStartThatStays) {
    TFractalRec v = NewWindowRecord(400, 300);
    SelectFormula(v, 30);
    const Result<SearchResult> found = FindAttractor(v, {}, kTriesOnly, 8, kNever);
    EXPECT_EQ(found->outcome, SearchOutcome::kFound);
    EXPECT_EQ(found->tries, 1);
    EXPECT_NE(v.zoom, 0.01);
}

}  // namespace
}  // namespace zephyrin
