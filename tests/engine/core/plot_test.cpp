// Plotting one point: pixel mapping, hit counting, level, grey and colour.
#include <gtest/gtest.h>

#include <limits>

#include "engine/core/engine.h"
#include "engine/test_engine.h"
#include "engine/test_host.h"

namespace zephyrin {
namespace {

using testing::PlotRecord;
using testing::TestHost;

// A 10 x 10 picture over [0, 10] x [0, 10]: pixel k covers (k - 0.5, k + 0.5].
class PlotPointTest : public ::testing::Test {
protected:
    PlotPointTest() : v(PlotRecord(10, 10, 0, 10, 0, 10)), host(v), engine(1) {
        engine.Attach(v, host);
        engine.ResetDrawing();
    }

    // Plots (x, y) as a point that did not move in this iteration.
    void Plot(double x, double y) {
        engine.x = engine.xIn = x;
        engine.y = engine.yIn = y;
        engine.PlotPoint();
    }
    std::int32_t& Counter(int column, int row) { return host.hitList[column * 10 + row]; }
    std::uint32_t Pixel(int column, int row) { return host.Image().Pixel(column, row); }
    int HitPixels() {
        int hit = 0;
        for (std::int32_t count : host.hitList) hit += count != 50;
        return hit;
    }

    TFractalRec v;
    TestHost host;
    TestEngine engine;
};

TEST_F(PlotPointTest, EdgesOfTheView) {
    Plot(0, 5);  // on the left edge: never plotted
    Plot(5, 0);
    EXPECT_EQ(HitPixels(), 0);
    Plot(1e-9, 1e-9);  // just inside: column and row 0
    EXPECT_EQ(Counter(0, 0), 60);
    Plot(9.5, 9.49);  // 9.5 rounds to the even 10: outside
    EXPECT_EQ(HitPixels(), 1);
    Plot(8.5, 9.49);  // 8.5 rounds to 8
    EXPECT_EQ(Counter(8, 9), 60);
    EXPECT_EQ(v.lastX, 8.5);
    Plot(11, 5);  // outside, but still remembered as the last point
    EXPECT_EQ(v.lastX, 11);
    EXPECT_EQ(HitPixels(), 2);
}

TEST_F(PlotPointTest, NaNAndHugePointsAreNotPlotted) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Plot(nan, 5);
    Plot(5, nan);
    Plot(1e300, 5);
    Plot(5, std::numeric_limits<double>::infinity());
    EXPECT_EQ(HitPixels(), 0);
}

TEST_F(PlotPointTest, FirstHitGivesLevel60AndGrey20) {
    Plot(5, 5);
    EXPECT_EQ(Counter(5, 5), 60);
    EXPECT_EQ(host.lastLevel, 60);
    EXPECT_EQ(Pixel(5, 5), Picture::Pack(20, 20, 20));
}

TEST_F(PlotPointTest, HitWeightFollowsHowFarThePointMoved) {
    v.intensity = 64;
    // Moved by (0.5, 0): the sine argument is 2.5 * constPI, the weight 1.
    engine.x = 0.5 + 5;
    engine.xIn = 5;
    engine.y = engine.yIn = 5;
    engine.PlotPoint();
    EXPECT_EQ(Counter(6, 5), 50 + 74);  // 5.5 rounds to 6
    // Not moved: the argument is 2 * constPI, the weight about 0.
    Plot(3, 3);
    EXPECT_EQ(Counter(3, 3), 60);
}

TEST_F(PlotPointTest, LevelsAndGreysOfTheRamp) {
    const struct {
        std::int32_t countBefore;
        int grey;
    } cases[] = {
        {195, 68},    // level 205: (205 + 0 + 0) * 0.33 = 67.65
        {290, 99},    // level 300: (255 + 44 + 0) * 0.33 = 98.67
        {590, 197},   // level 600: (255 + 255 + 88) * 0.33 = 197.34
        {758, 252},   // level 768: 765 * 0.33 = 252.45
        {5000, 252},  // above 768 counts as 768
    };
    for (const auto& c : cases) {
        Counter(5, 5) = c.countBefore;
        Plot(5, 5);
        EXPECT_EQ(Pixel(5, 5), Picture::Pack(c.grey, c.grey, c.grey)) << c.countBefore;
    }
}

TEST_F(PlotPointTest, SquareRootFilter) {
    v.sqrtFilter = kTrue;
    Plot(5, 5);  // count 60: 2 * sqrt(120) = 21.9 -> 22, grey round(7.26) = 7
    EXPECT_EQ(host.lastLevel, 22);
    EXPECT_EQ(Pixel(5, 5), Picture::Pack(7, 7, 7));
    Counter(5, 5) = 73623;  // count 73633: 2 * sqrt(147266) = 767.505 -> 768
    Plot(5, 5);
    EXPECT_EQ(host.lastLevel, 768);
    Counter(5, 5) = 73622;  // count 73632: 767.4998 -> 767
    Plot(5, 5);
    EXPECT_EQ(host.lastLevel, 767);
}

TEST_F(PlotPointTest, TheTopLevelWithoutTheFilterIsReachedAt768) {
    Counter(5, 5) = 748;
    Plot(5, 5);
    EXPECT_EQ(host.lastLevel, 758);
    Plot(5, 5);
    EXPECT_EQ(host.lastLevel, 768);
    EXPECT_EQ(Pixel(5, 5), Picture::Pack(252, 252, 252));
}

TEST_F(PlotPointTest, ColourShiftsAreClampedPerChannel) {
    v.red = 200;
    v.green = 300.4;
    v.blue = -200;
    Plot(5, 5);  // grey 20
    EXPECT_EQ(Pixel(5, 5), Picture::Pack(220, 255, 0));
    v.red = 1e300;  // from a damaged parameter file
    v.green = std::numeric_limits<double>::quiet_NaN();
    v.blue = -std::numeric_limits<double>::infinity();
    Plot(4, 4);
    EXPECT_EQ(Pixel(4, 4), Picture::Pack(255, 0, 0));
}

TEST_F(PlotPointTest, ColourSettingsChangedDuringADrawingApplyToTheNextPoint) {
    Plot(5, 5);
    EXPECT_EQ(Pixel(5, 5), Picture::Pack(20, 20, 20));
    v.red = 30;  // a dialog moves the red bar
    Plot(5, 5);  // count 70: grey round(23.1) = 23
    EXPECT_EQ(Pixel(5, 5), Picture::Pack(53, 23, 23));
    v.white = kTrue;
    Plot(5, 5);  // count 80: grey round(26.4) = 26
    EXPECT_EQ(Pixel(5, 5), Picture::Pack(255 - 56, 255 - 26, 255 - 26));
}

TEST_F(PlotPointTest, ColorMixRotatesChannelsByThousandIterationBlocks) {
    v.red = -10;
    v.blue = 10;  // grey 20 gives (10, 20, 30)
    host.effects.colorMix = kTrue;
    engine.cycles = 1;
    Plot(1, 1);
    EXPECT_EQ(Pixel(1, 1), Picture::Pack(20, 30, 10));
    engine.cycles = 2;
    Plot(2, 2);
    EXPECT_EQ(Pixel(2, 2), Picture::Pack(20, 10, 30));
    engine.cycles = 3;
    Plot(3, 3);
    EXPECT_EQ(Pixel(3, 3), Picture::Pack(10, 20, 30));
}

TEST_F(PlotPointTest, ColorMixKeepsRotatingWhenTheBlockCountWraps) {
    v.red = -10;
    v.blue = 10;
    host.effects.colorMix = kTrue;
    v.formula = 0;  // leaves the point where it is
    engine.x = engine.y = 1;
    engine.cycles = std::numeric_limits<std::int32_t>::max();
    v.iterations = 0;  // the next block begins: the 2^31st
    engine.FormulaStep();
    EXPECT_EQ(engine.cycles, std::numeric_limits<std::int32_t>::min());
    Plot(1, 1);  // 2^31 mod 3 = 2: red and green exchanged
    EXPECT_EQ(Pixel(1, 1), Picture::Pack(20, 10, 30));
}

TEST_F(PlotPointTest, WhiteInvertsTheFinalColour) {
    v.white = kTrue;
    Counter(5, 5) = 758;
    Plot(5, 5);
    EXPECT_EQ(Pixel(5, 5), Picture::Pack(3, 3, 3));
}

TEST_F(PlotPointTest, CountersSaturateInsteadOfOverflowing) {
    v.intensity = 64;
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    Counter(5, 5) = max - 5;
    Plot(5, 5);
    EXPECT_EQ(Counter(5, 5), max);
    EXPECT_EQ(host.lastLevel, max);
    v.sqrtFilter = kTrue;
    Plot(5, 5);
    EXPECT_EQ(Counter(5, 5), max);
    EXPECT_EQ(Pixel(5, 5), Picture::Pack(252, 252, 252));
}

TEST_F(PlotPointTest, IntensityZeroAddsExactlyTen) {
    v.intensity = 0;
    engine.x = 5.25;
    engine.xIn = 5;
    engine.y = engine.yIn = 5;
    engine.PlotPoint();
    EXPECT_EQ(Counter(5, 5), 60);
}

TEST_F(PlotPointTest, ANegativeOrNaNIntensityFromAFileIsSafe) {
    v.intensity = -1e6;
    engine.x = 5.5;
    engine.xIn = 5;
    engine.y = engine.yIn = 5;
    engine.PlotPoint();
    EXPECT_LT(Counter(6, 5), 0);
    EXPECT_EQ(host.lastLevel, 0);
    v.intensity = std::numeric_limits<double>::quiet_NaN();
    Plot(2, 2);
    EXPECT_EQ(Counter(2, 2), 50) << "a NaN weight adds nothing";
}

}  // namespace
}  // namespace zephyrin
