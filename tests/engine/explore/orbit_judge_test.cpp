// The judges on plain maps whose answers are known: a contraction, the
// logistic map's 2-cycle, a map that runs away, and the Henon map.
#include "engine/explore/orbit_judge.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zephyrin {
namespace {

// Halves the distance to (2, -4) at every step.
auto Contraction() {
    return MapOrbit([](Point2D p) { return Point2D{0.5 * p.x + 1, 0.5 * p.y - 2}; }, {7, 7});
}

// The logistic map at r = 3.2 settles on a 2-cycle whose multiplier is
// -r^2 + 2r + 4 = 0.16; y stays 0.
auto LogisticTwoCycle() {
    return MapOrbit([](Point2D p) { return Point2D{3.2 * p.x * (1 - p.x), 0}; }, {0.3, 0});
}

auto Doubling() {
    return MapOrbit([](Point2D p) { return Point2D{2 * p.x + 1, 2 * p.y + 1}; }, {1, 1});
}

// a = 1.4, b = 0.3: the classic strange attractor, largest exponent 0.4192.
auto Henon() {
    return MapOrbit([](Point2D p) { return Point2D{1 - 1.4 * p.x * p.x + p.y, 0.3 * p.x}; }, {0, 0});
}

TEST(ClassifyOrbit, KnownMaps) {
    auto contraction = Contraction();
    const OrbitClass fixed = ClassifyOrbit(contraction, {});
    EXPECT_EQ(fixed.kind, OrbitKind::kFixedPoint);
    EXPECT_EQ(fixed.period, 1);
    EXPECT_DOUBLE_EQ(contraction.Position().x, 2);
    EXPECT_DOUBLE_EQ(contraction.Position().y, -4);

    auto logistic = LogisticTwoCycle();
    const OrbitClass cycle = ClassifyOrbit(logistic, {});
    EXPECT_EQ(cycle.kind, OrbitKind::kCycle);
    EXPECT_EQ(cycle.period, 2);

    auto henon = Henon();
    EXPECT_EQ(ClassifyOrbit(henon, {}).kind, OrbitKind::kWandering);

    auto doubling = Doubling();
    EXPECT_EQ(ClassifyOrbit(doubling, {}).kind, OrbitKind::kRunaway);
}

TEST(ClassifyOrbit, EscapesAreCountedAgainstTheAllowance) {
    // From 1, the doubling map passes 10000 at its 13th step and never comes back.
    auto twice = Doubling();
    EXPECT_EQ(ClassifyOrbit(twice, {.transient = 14, .window = 0, .allowedEscapes = 1}).kind,
              OrbitKind::kRunaway);
    auto allowed = Doubling();
    EXPECT_EQ(ClassifyOrbit(allowed, {.transient = 14, .window = 0, .allowedEscapes = 2}).kind,
              OrbitKind::kWandering);
}

TEST(LargestLyapunovExponent, KnownMaps) {
    EXPECT_NEAR(LargestLyapunovExponent(Contraction(), 1000), std::log(0.5), 1e-6);
    auto logistic = LogisticTwoCycle();
    ClassifyOrbit(logistic, {});  // onto the cycle
    EXPECT_NEAR(LargestLyapunovExponent(logistic, 1000), std::log(0.16) / 2, 1e-3);
    auto henon = Henon();
    ClassifyOrbit(henon, {});  // onto the attractor
    EXPECT_NEAR(LargestLyapunovExponent(henon, 200000), 0.4192, 0.005);
    // Steps in which an orbit escapes do not count.
    EXPECT_TRUE(std::isnan(LargestLyapunovExponent(Doubling(), 100)));
}

}  // namespace
}  // namespace zephyrin
