// The measures against values known by hand or from the literature.
#include "engine/explore/orbit_measures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "engine/core/defaults.h"
#include "engine/core/random.h"
#include "engine/explore/correlation_dimension.h"
#include "engine/explore/lyapunov_estimate.h"

namespace zephyrin {
namespace {

// Formula 70 with the three halvings towards (0, 0), (1, 0) and (0, 1): the
// Sierpinski triangle. Only None plots.
TFractalRec Sierpinski() {
    TFractalRec v = NewWindowRecord(400, 300);
    v.randomStart = kFalse;
    v.varSwirl = kFalse;
    v.startX = v.startY = 0.3;
    for (const int j : {0, 19, 39}) {
        v.af[j + 1] = v.af[j + 4] = 0.5;
        v.af[j + 5] = j == 19 ? 0.5 : 0;
        v.af[j + 6] = j == 39 ? 0.5 : 0;
    }
    return v;
}

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

}  // namespace
}  // namespace zephyrin
