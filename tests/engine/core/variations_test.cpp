// The variations: which points are plotted, in which order, and what the
// accumulator carries from one iteration to the next.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/core/engine.h"
#include "engine/test_engine.h"
#include "engine/test_host.h"

namespace zephyrin {
namespace {

using testing::PlotRecord;
using testing::TestHost;

// 2000 x 2000 pixels over [-10, 10]^2: one pixel is 0.01 wide, so distinct
// test points land in distinct pixels.
class VariationsTest : public ::testing::Test {
protected:
    VariationsTest() : v(PlotRecord(2000, 2000, -10, 10, -10, 10)), host(v), engine(1) {
        v.factor2 = 0.1;
        engine.Attach(v, host);
        engine.ResetDrawing();
    }

    // Runs PlotVariations for the formula's point (x, y) with the accumulator
    // holding the previous point.
    void PlotFrom(double prevX, double prevY, double x, double y) {
        engine.accX = prevX;
        engine.accY = prevY;
        engine.x = engine.xIn = x;
        engine.y = engine.yIn = y;
        engine.PlotVariations();
    }
    bool Hit(double x, double y) {
        const int column = static_cast<int>(std::lrint((x + 10) / 20 * 2000));
        const int row = static_cast<int>(std::lrint((y + 10) / 20 * 2000));
        return host.hitList[static_cast<std::size_t>(column) * 2000 + row] != 50;
    }
    int HitPixels() {
        int hit = 0;
        for (std::int32_t count : host.hitList) hit += count != 50;
        return hit;
    }

    TFractalRec v;
    TestHost host;
    TestEngine engine;
};

TEST_F(VariationsTest, NoneAlonePlotsTheFormulasPointOnce) {
    v.varNone = kTrue;
    PlotFrom(3, 3, 1.5, -2.5);
    EXPECT_EQ(HitPixels(), 1);
    EXPECT_TRUE(Hit(1.5, -2.5));
}

TEST_F(VariationsTest, LinearAddsToThePreviousPoint) {
    v.varLinear = kTrue;
    PlotFrom(1, 1, 2, 0);
    EXPECT_DOUBLE_EQ(v.lastX, 1.2);
    EXPECT_DOUBLE_EQ(v.lastY, 1.0);
    EXPECT_EQ(engine.accX, 2.0);
    EXPECT_EQ(engine.accY, 0.0);
    EXPECT_EQ(engine.x, 2.0) << "the orbit goes on from the formula's point";
}

TEST_F(VariationsTest, NoneAndSwirlPlotTheSwirledPreviousPointThenThePoint) {
    v.varNone = v.varSwirl = kTrue;
    const double x = 1, y = 2, r2 = 5 + 1e-12;
    const double sx = std::sin(r2) * x - std::cos(r2) * y, sy = std::cos(r2) * x + std::sin(r2) * y;
    PlotFrom(-3, 4, x, y);
    EXPECT_EQ(HitPixels(), 2);
    EXPECT_TRUE(Hit(-3 + 0.1 * sx, 4 + 0.1 * sy));
    EXPECT_TRUE(Hit(1, 2));
    EXPECT_EQ(v.lastX, 1.0) << "None comes after Swirl";
}

TEST_F(VariationsTest, AdditiveVariationsAccumulateInTheFixedOrder) {
    // Spherical comes before Linear, so Linear plots prev + f2*S + f2*L.
    v.varSpherical = v.varLinear = kTrue;
    v.factor2 = 1;
    PlotFrom(0, 0, 2, 0);  // Spherical (0.5, 0), Linear (2, 0)
    EXPECT_TRUE(Hit(0.5, 0));
    EXPECT_TRUE(Hit(2.5, 0));
    EXPECT_EQ(HitPixels(), 2);
}

TEST_F(VariationsTest, BentTerms) {
    v.varBent = kTrue;
    v.factor2 = 1;
    PlotFrom(0, 0, -1, -2);
    EXPECT_DOUBLE_EQ(v.lastX, -2.0);
    EXPECT_DOUBLE_EQ(v.lastY, -1.0);
    PlotFrom(0, 0, 3, 4);
    EXPECT_DOUBLE_EQ(v.lastX, 3.0);
    EXPECT_DOUBLE_EQ(v.lastY, 4.0);
}

TEST_F(VariationsTest, HorseshoeAndPolarNearTheOriginUseAngleZero) {
    v.factor2 = 1;
    v.varHorseshoe = kTrue;
    PlotFrom(0, 0, 1e-11, -1e-11);  // (0*x - 1*y, 1*x + 0*y)
    EXPECT_DOUBLE_EQ(v.lastX, 1e-11);
    EXPECT_DOUBLE_EQ(v.lastY, 1e-11);
    v.varHorseshoe = kFalse;
    v.varPolar = kTrue;
    PlotFrom(0, 0, 1e-11, -1e-11);
    EXPECT_EQ(v.lastX, 0.0);
    EXPECT_DOUBLE_EQ(v.lastY, std::sqrt(1e-22 + 1e-12 + 1e-22) - 1);
}

TEST_F(VariationsTest, HorseshoeAndPolarUseTheOneArgumentArctangent) {
    v.factor2 = 1;
    v.varPolar = kTrue;
    PlotFrom(0, 0, 1, -1);  // atan(-1) / constPI = -0.25, not the quadrant angle
    EXPECT_NEAR(v.lastX, -0.25, 1e-12);
    v.varPolar = kFalse;
    v.varHorseshoe = kTrue;
    PlotFrom(0, 0, 0, 2);  // theta = atan(0) = 0: (0*0 - 1*2, 1*0 + 0)
    EXPECT_DOUBLE_EQ(v.lastX, -2.0);
    EXPECT_DOUBLE_EQ(v.lastY, 0.0);
}

TEST_F(VariationsTest, InversionIgnoresTheAccumulator) {
    v.varInversion = kTrue;
    v.factor2 = 0.5;
    PlotFrom(7, 7, 1, 1);
    EXPECT_NEAR(v.lastX, 1.0, 1e-9);
    EXPECT_NEAR(v.lastY, 1.0, 1e-9);
    v.factor2 = 0;  // about 1e12: outside any view, not plotted
    const int before = HitPixels();
    PlotFrom(7, 7, 1, 1);
    EXPECT_GT(v.lastX, 1e11);
    EXPECT_EQ(HitPixels(), before);
}

TEST_F(VariationsTest, SphericalAndSwirlNeverDivideByZero) {
    v.varSpherical = v.varSwirl = kTrue;
    v.factor2 = 1e-13;
    PlotFrom(0, 0, 0, 0);
    EXPECT_TRUE(std::isfinite(v.lastX));
}

TEST_F(VariationsTest, AllNineOnPlotNineTimesInOrder) {
    v.varNone = v.varLinear = v.varSinusoidal = v.varSpherical = v.varSwirl = v.varHorseshoe = v.varPolar =
        v.varBent = v.varInversion = kTrue;
    v.factor2 = 0.2;
    PlotFrom(0.3, 0.4, 1.1, 0.7);
    // Intensity 0: every plot adds exactly 10 to some counter.
    int plots = 0;
    for (std::int32_t count : host.hitList) plots += (count - 50) / 10;
    EXPECT_EQ(plots, 9);
    // Inversion is last: the last point plotted is its point.
    const double d = 1.1 * 1.1 + 0.7 * 0.7;
    EXPECT_NEAR(v.lastX, 1.1 / d / (1e-12 + 0.2), 1e-9);
}

TEST_F(VariationsTest, AllOffPlotsNothing) {
    PlotFrom(1, 1, 2, 2);
    EXPECT_EQ(HitPixels(), 0);
    EXPECT_EQ(engine.accX, 2.0);
}

}  // namespace
}  // namespace zephyrin
