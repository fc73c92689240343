// One formula step at a time, with values worked out by hand from the
// formula table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/core/engine.h"
#include "engine/test_engine.h"
#include "engine/test_host.h"

namespace zephyrin {
namespace {

using testing::PlotRecord;
using testing::TestHost;

class FormulaStepTest : public ::testing::Test {
protected:
    FormulaStepTest() : v(PlotRecord(100, 100, -1, 1, -1, 1)), host(v), engine(7) {
        engine.Attach(v, host);
        engine.ResetDrawing();
        // Away from a multiple of 1000, so no per-thousand work interferes.
        v.iterations = 1;
    }

    // One step of `formula` from (x, y) with A and B given.
    void Step(int formula, double x, double y, double AA = 1.0, double BB = 1.0) {
        v.formula = formula;
        v.AA = AA;
        v.BB = BB;
        engine.x = x;
        engine.y = y;
        engine.FormulaStep();
    }

    TFractalRec v;
    TestHost host;
    TestEngine engine;
};

TEST_F(FormulaStepTest, Formula1FromOneZeroAtTheFirstStep) {
    engine.W = 0.0;
    Step(1, 1, 0);
    EXPECT_DOUBLE_EQ(engine.x, 0.0);
    EXPECT_DOUBLE_EQ(engine.y, -1.0);
    EXPECT_DOUBLE_EQ(engine.W, 0.0);
    EXPECT_EQ(v.lastX, engine.x);
    EXPECT_EQ(v.lastY, engine.y);
}

TEST_F(FormulaStepTest, WFormulasUseTheNewXWithTheOldY) {
    // x := B*y + W = 2; formula 66: W := 0.5*A*sign*|y + x| = 2, so y := 2 - 1.
    engine.W = 0.0;
    Step(66, 1, 2);
    EXPECT_DOUBLE_EQ(engine.x, 2.0);
    EXPECT_DOUBLE_EQ(engine.y, 1.0);
    EXPECT_DOUBLE_EQ(engine.W, 2.0);
    // Formula 72: W := A*sign*(x + y) = 4, y := 4 - 1.
    engine.W = 0.0;
    Step(72, 1, 2);
    EXPECT_DOUBLE_EQ(engine.x, 2.0);
    EXPECT_DOUBLE_EQ(engine.y, 3.0);
}

TEST_F(FormulaStepTest, WIsCarriedFromStepToStep) {
    // Formula 10 with A = 1 from (0.5, 0): x := W, then W := sign + sin(x) + 1.
    engine.W = 0.25;
    Step(10, 0.5, 0);
    EXPECT_DOUBLE_EQ(engine.x, 0.25);
    EXPECT_DOUBLE_EQ(engine.W, 1.0 + std::sin(0.25) + 1.0);
    EXPECT_DOUBLE_EQ(engine.y, engine.W - 0.5);
}

TEST_F(FormulaStepTest, Formula22MovesThePointFirstWithThisStepsSign) {
    // With A = 0 the W part vanishes: the point becomes (B*y, -moved x).
    engine.W = 0.0;
    Step(22, -3, 4, 0.0, 1.0);  // sign -1: x := -3 - 3 * 5e-05 / 5
    EXPECT_DOUBLE_EQ(engine.x, 4.0);
    EXPECT_DOUBLE_EQ(engine.y, 3.00003);
    engine.W = 0.0;
    Step(22, 3, 4, 0.0, 1.0);  // sign +1: x := 3 - 3 * 5e-05 / 5
    EXPECT_DOUBLE_EQ(engine.y, -2.99997);
}

TEST_F(FormulaStepTest, Formulas20And21ShiftXAwayFromOrTowardsZero) {
    // With A = 1 and B = 0, F0 is the (shifted) x and G is 0.
    for (int formula : {20, 21}) {
        Step(formula, 2, 5, 1.0, 0.0);
        EXPECT_DOUBLE_EQ(engine.x, 2.00004) << formula;
        EXPECT_DOUBLE_EQ(engine.y, 0.0) << formula;
        Step(formula, -1, 5, 1.0, 0.0);
        EXPECT_DOUBLE_EQ(engine.x, -0.99998) << formula;
    }
    Step(19, 2, 5, 1.0, 0.0);  // the same row without the shift
    EXPECT_DOUBLE_EQ(engine.x, 2.0);
}

TEST_F(FormulaStepTest, TwoStageFormulasComputeGFromTheNewXn) {
    // Formula 13, A = 0.5, B = 1, from (1, 1): F = 1 + 0.5 + 0.5 / 2 = 1.75,
    // G = 0.875 - 1 + 1.75 * 0.5 / (1.75^2 + 1) = -0.125 + 0.875 / 4.0625.
    Step(13, 1, 1, 0.5, 1.0);
    EXPECT_DOUBLE_EQ(engine.x, 1.75);
    EXPECT_DOUBLE_EQ(engine.xn, 1.75);
    EXPECT_DOUBLE_EQ(engine.y, -0.125 + 0.875 / 4.0625);
}

TEST_F(FormulaStepTest, Formula51ReadsTheXnOfThePreviousStep) {
    // A = 0, B = 0 from (1, 1): F = 2 / (p^2 + 1 + 1), G = -x.
    engine.xn = 0.0;
    Step(51, 1, 1, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(engine.x, 1.0);
    EXPECT_DOUBLE_EQ(engine.y, -1.0);
    engine.xn = 1.0;
    Step(51, 1, 1, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(engine.x, 2.0 / 3.0);
}

TEST_F(FormulaStepTest, Formula3) {
    // vx := 1 + 0.5 + sqrt(sqrt(constPI)), y := A - x = 0.
    Step(3, 1, 0.5, 1.0);
    EXPECT_DOUBLE_EQ(engine.x, 1.5 + std::sqrt(std::sqrt(constPI)));
    EXPECT_DOUBLE_EQ(engine.y, 0.0);
}

TEST_F(FormulaStepTest, HFormulasTurnYIntoMinusX) {
    // Formula 24 from (2, 3): H = -1 + 3 + 200 / 5 = 42.
    Step(24, 2, 3);
    EXPECT_DOUBLE_EQ(engine.x, 42.0);
    EXPECT_DOUBLE_EQ(engine.y, -2.0);
}

TEST_F(FormulaStepTest, Formula24FromTheOriginIsRescuedIntoTheUnitSquare) {
    const Coefficients before = v.af;
    Step(24, 0, 0);
    EXPECT_GE(engine.x, -1.0);
    EXPECT_LT(engine.x, 1.0);
    EXPECT_GE(engine.y, -1.0);
    EXPECT_LT(engine.y, 1.0);
    EXPECT_NE(engine.x, 0.0);
    EXPECT_EQ(v.af, before) << "no random start away from a multiple of 1000";
}

TEST_F(FormulaStepTest, HFormulasMakeARandomStartAtEveryThousandthIteration) {
    v.iterations = 2000;
    v.randomStart = kTrue;
    Step(30, 1, 2);
    EXPECT_EQ(v.randomStart, kFalse);
    EXPECT_NE(v.af[1], 0.0);
    EXPECT_EQ(v.AAStart, v.AA);
    // The random start's point replaces the step's point.
    EXPECT_EQ(v.startX, engine.x);
    EXPECT_EQ(v.startY, engine.y);
}

TEST_F(FormulaStepTest, IfsFormula70PicksTheTransformByJ) {
    for (int i = 1; i <= 6; ++i) v.af[i] = (i == 1 || i == 4) ? 1.0 : 0.0;  // identity at j = 0
    engine.j = 0;
    Step(70, 0.3, -0.7);
    EXPECT_DOUBLE_EQ(engine.x, 0.3);
    EXPECT_DOUBLE_EQ(engine.y, -0.7);

    // j = 19 reads elements 20..25: x' = 2x + 3y + 5, y' = 7x + 11y + 13.
    const double t[6] = {2, 7, 3, 11, 5, 13};
    for (int i = 0; i < 6; ++i) v.af[20 + i] = t[i];
    engine.j = 19;
    Step(70, 1, 2);
    EXPECT_DOUBLE_EQ(engine.x, 2 + 6 + 5);
    EXPECT_DOUBLE_EQ(engine.y, 7 + 22 + 13);
}

TEST_F(FormulaStepTest, IfsFormula71UsesTheSameFactorForXAndY) {
    v.af[40] = 2;
    v.af[41] = 3;
    v.af[44] = 0.5;
    v.af[45] = -0.5;
    engine.j = 39;
    Step(71, 1, 2);
    const double common = std::sin(1.0) - std::sin(2.0);
    EXPECT_DOUBLE_EQ(engine.x, common + 2 + 4 + 0.5);
    EXPECT_DOUBLE_EQ(engine.y, common + 3 + 6 - 0.5);
}

TEST_F(FormulaStepTest, NumbersWithoutAFormulaLeaveThePoint) {
    for (int formula : {0, 56, 57, 58, 59, 67, 68, 69, 73, 74, 75, 100, -3}) {
        Step(formula, 0.5, -0.25);
        EXPECT_EQ(engine.x, 0.5) << formula;
        EXPECT_EQ(engine.y, -0.25) << formula;
    }
}

TEST_F(FormulaStepTest, SignIsPlusOneAtZero) {
    // Formula 5, A = 1, W = 0 from (0, 0): x := 0, W := sign * 1 + 0 = sign.
    engine.W = 0.0;
    Step(5, 0, 0);
    EXPECT_DOUBLE_EQ(engine.W, 1.0);
    EXPECT_EQ(engine.sign, 1.0);
    Step(5, -0.5, 1);
    EXPECT_EQ(engine.sign, -1.0);
}

TEST_F(FormulaStepTest, RescueNeedsBothCoordinatesOutOfRange) {
    Step(73, 20000, 3);
    EXPECT_EQ(engine.x, 20000);
    EXPECT_EQ(engine.y, 3);
    Step(73, 20000, -20000);
    EXPECT_GE(engine.x, -2.0);
    EXPECT_LT(engine.x, 2.0);
    EXPECT_GE(engine.y, -2.0);
    EXPECT_LT(engine.y, 2.0);
    Step(73, 5e-5, -5e-5);
    EXPECT_GT(std::fabs(engine.x) + std::fabs(engine.y), 0.0);
    EXPECT_LT(engine.x, 2.0);
}

TEST_F(FormulaStepTest, ANaNPointIsNeitherRescuedNorATrap) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Step(73, nan, 1);
    EXPECT_TRUE(std::isnan(engine.x));
}

TEST_F(FormulaStepTest, FromZerosAndHugeValuesNoRunawayStaysAndNoStrayPointIsCounted) {
    // Divisions by zero and overflow give IEEE values, never a trap (the
    // sanitizer build checks). Whatever a formula makes of them, a point out
    // of range in both coordinates is rescued, and only a point inside the
    // view [-1, 1] x [-1, 1] counts a hit.
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    int inside = 0, outside = 0;
    for (int formula = 0; formula <= 76; ++formula) {
        for (double start : {0.0, 1e308, -inf, nan}) {
            std::fill(host.hitList.begin(), host.hitList.end(), 50);
            engine.W = start;
            engine.xn = start;
            Step(formula, start, start, start, start);
            v.iterations = 1;
            const double x = engine.x, y = engine.y;
            EXPECT_FALSE(std::fabs(x) > 10000 && std::fabs(y) > 10000) << formula << " from " << start;
            EXPECT_FALSE(std::fabs(x) < 1e-4 && std::fabs(y) < 1e-4) << formula << " from " << start;

            engine.xIn = x;  // a point that did not move: a hit adds 10
            engine.yIn = y;
            engine.PlotPoint();
            const auto hits = std::count_if(host.hitList.begin(), host.hitList.end(),
                                            [](std::int32_t count) { return count != 50; });
            if (std::fabs(x) < 0.99 && std::fabs(y) < 0.99) {
                ++inside;
                EXPECT_EQ(hits, 1) << formula << " from " << start << " to " << x << ", " << y;
            } else if (!(std::fabs(x) <= 1 && std::fabs(y) <= 1)) {
                ++outside;
                EXPECT_EQ(hits, 0) << formula << " from " << start << " to " << x << ", " << y;
            }
        }
    }
    EXPECT_GT(inside, 0);
    EXPECT_GT(outside, 0);
}

}  // namespace
}  // namespace zephyrin
