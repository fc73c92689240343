// The measures against values known by hand or from the literature.
#include "engine/explore/orbit_measures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "engine/core/defaults.h"
#include "engine/core/random.h"
#include "engine/explore/appeal_score.h"
#include "engine/explore/correlation_dimension.h"
#include "engine/explore/lyapunov_estimate.h"
#include "engine/known_records.h"

namespace zephyrin {
namespace {

using testing::Sierpinski;

auto Henon() {
    return MapOrbit([](Point2D p) { return Point2D{1 - 1.4 * p.x * p.x + p.y, 0.3 * p.x}; }, {0, 0});
}

template <typename Orbit>
std::vector<Point2D> Positions(Orbit orbit, int count, int stride) {
    std::vector<Point2D> points;
    for (int i = 0; i < 1000; ++i) orbit.Step();
    for (int i = 0; i < count * stride; ++i) {
        orbit.Step();
        if (i % stride == 0) points.push_back(orbit.Position());
    }
    return points;
}

TEST(MeasureOrbit, SierpinskiTriangle) {
    const Result<OrbitMeasures> measures = MeasureOrbit(Sierpinski(), {}, 5);
    ASSERT_TRUE(measures);
    EXPECT_TRUE(measures->measured);
    EXPECT_EQ(measures->kind, OrbitKind::kWandering);
    // Whichever map is drawn, both orbits halve their distance.
    EXPECT_NEAR(measures->lyapunov, std::log(0.5), 0.005);
    // Three copies at half the size. The engine draws the maps with
    // 37, 40 and 43 in 120, which moves D2 to -log2(4818 / 14400) = 1.580.
    EXPECT_NEAR(measures->dimension, std::log(3.0) / std::log(2.0), 0.05);
}

// The budget the shown measures come from keeps the values derived by hand,
// gives them again for the same seed, and ends at once when cancelled.
TEST(MeasureOrbit, SettledBudget) {
    const Result<OrbitMeasures> settled = MeasureOrbit(Sierpinski(), {}, 5, kSettledBudget);
    ASSERT_TRUE(settled);
    EXPECT_NEAR(settled->lyapunov, std::log(0.5), 0.005);
    EXPECT_NEAR(settled->dimension, std::log(3.0) / std::log(2.0), 0.05);
    const Result<OrbitMeasures> again = MeasureOrbit(Sierpinski(), {}, 5, kSettledBudget);
    EXPECT_EQ(again->lyapunov, settled->lyapunov);
    EXPECT_EQ(again->dimension, settled->dimension);

    const std::atomic<bool> cancelled{true};
    EXPECT_FALSE(MeasureOrbit(Sierpinski(), {}, 5, kSettledBudget, &cancelled));
}

TEST(MeasureOrbit, HenonMap) {
    auto henon = Henon();
    ClassifyOrbit(henon, {});
    const LyapunovEstimate estimate = EstimateLyapunov(henon, {});
    EXPECT_TRUE(estimate.stable);
    EXPECT_NEAR(estimate.exponent, 0.4192, 0.005);
    // Grassberger and Procaccia measured 1.21 +- 0.01.
    const double d2 = CorrelationDimension(Positions(Henon(), 4000, 5));
    EXPECT_NEAR(d2, 1.21, 0.05);
}

// Formula 70 with the same turn by the golden angle for all three
// transforms: the orbit fills the unit circle and nearby points keep their
// distance, a quasi-periodic orbit.
TEST(MeasureOrbit, CircleOfAnIrrationalRotation) {
    TFractalRec v = Sierpinski();
    const double angle = 2 * std::numbers::pi / std::numbers::phi;
    for (const int j : {0, 19, 39}) {
        v.af[j + 1] = v.af[j + 4] = std::cos(angle);
        v.af[j + 2] = std::sin(angle);
        v.af[j + 3] = -std::sin(angle);
        v.af[j + 5] = v.af[j + 6] = 0;
    }
    v.startX = 0.6;
    v.startY = 0.8;
    const Result<OrbitMeasures> measures = MeasureOrbit(v, {}, 5);
    ASSERT_TRUE(measures);
    EXPECT_EQ(measures->kind, OrbitKind::kWandering);
    EXPECT_NEAR(measures->lyapunov, 0, 0.005);
    EXPECT_NEAR(measures->dimension, 1, 0.05);
}

TEST(CorrelationDimension, SegmentPointAndTooFewPoints) {
    Random random(3);
    std::vector<Point2D> segment(4000);
    for (Point2D& p : segment) {
        const double t = random.Uniform();
        p = {t, 2 * t};
    }
    EXPECT_NEAR(CorrelationDimension(segment), 1, 0.05);
    // A cycle of three points: every pair of visits to one point coincides.
    std::vector<Point2D> cycle(3000);
    for (std::size_t i = 0; i < cycle.size(); ++i) cycle[i] = {static_cast<double>(i % 3), 1};
    EXPECT_EQ(CorrelationDimension(cycle), 0);
    EXPECT_TRUE(std::isnan(CorrelationDimension(std::span(segment).first(kMinDimensionPoints - 1))));
}

TEST(MeasureOrbit, OrbitsThatEndAndFormulasWithoutAMap) {
    TFractalRec still = Sierpinski();
    still.formula = 73;
    EXPECT_FALSE(MeasureOrbit(still, {}, 1)->measured);

    // Every transform the same contraction towards (0.5, 0.5).
    TFractalRec point = Sierpinski();
    for (const int j : {0, 19, 39}) {
        point.af[j + 1] = point.af[j + 4] = 0.5;
        point.af[j + 5] = point.af[j + 6] = 0.25;
    }
    const OrbitMeasures fixed = *MeasureOrbit(point, {}, 1);
    EXPECT_EQ(fixed.kind, OrbitKind::kFixedPoint);
    EXPECT_NEAR(fixed.lyapunov, std::log(0.5), 0.005);
    EXPECT_EQ(fixed.dimension, 0);
    EXPECT_EQ(fixed.score, 0);

    // Every transform doubles: the orbit passes 10000 within a few steps.
    TFractalRec away = Sierpinski();
    for (const int j : {0, 19, 39}) away.af[j + 1] = away.af[j + 4] = 2;
    const OrbitMeasures runaway = *MeasureOrbit(away, {}, 1);
    EXPECT_EQ(runaway.kind, OrbitKind::kRunaway);
    EXPECT_TRUE(std::isnan(runaway.lyapunov) && std::isnan(runaway.dimension));
    EXPECT_EQ(runaway.score, 0);

    const OrbitMeasures again = *MeasureOrbit(Sierpinski(), {}, 5);
    EXPECT_EQ(again.lyapunov, MeasureOrbit(Sierpinski(), {}, 5)->lyapunov)
        << "the same seed, the same measures";
}

TEST(AppealScore, SprottsFavouritesScoreHighest) {
    // Inside both bands and lighting a fifth of the view: the best there is.
    EXPECT_DOUBLE_EQ(AppealScore(0.2, 1.3, 0.3, true), 1);
    // 0.315 below the dimension band: exp(-(0.315 / 0.3)^2) = 0.332.
    EXPECT_NEAR(AppealScore(0.2, 0.785, 0.3, true), 0.332, 0.001);
    // A twentieth of the view: sqrt(0.05 / 0.2) = 0.5.
    EXPECT_DOUBLE_EQ(AppealScore(0.2, 1.3, 0.05, true), 0.5);
    // A quasi-periodic orbit gets half; L = 0.8 gets exp(-1).
    EXPECT_DOUBLE_EQ(AppealScore(0, 1.3, 0.3, true), 0.5);
    EXPECT_NEAR(AppealScore(0.8, 1.3, 0.3, true), std::exp(-1.0), 1e-12);
    EXPECT_EQ(AppealScore(-0.2, 1.3, 0.3, true), 0);
    // Without the exponent (the IFS formulas, 23 to 40) L does not count.
    EXPECT_DOUBLE_EQ(AppealScore(-0.69, 1.3, 0.3, false), 1);
    EXPECT_EQ(AppealScore(0.2, std::nan(""), 0.3, true), 0);
}

}  // namespace
}  // namespace zephyrin
