// The batch kernel: its arithmetic against the library's, exact budgets and
// repeatable pictures, and pictures that match the engine's formula by formula.
#include "engine/batch/orbit_batch.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <numbers>
#include <numeric>
#include <set>
#include <vector>

#include "engine/core/defaults.h"
#include "engine/core/engine.h"
#include "engine/core/formula_table.h"
#include "engine/core/hit_weight.h"
#include "engine/core/random.h"
#include "engine/core/view_coords.h"
#include "engine/faithfulness.h"
#include "engine/faithfulness_records.h"

namespace zephyrin {
namespace {

std::int64_t UlpsApart(double a, double b) {
    if (a == b || (std::isnan(a) && std::isnan(b))) return 0;
    const auto ordered = [](double x) {
        const auto bits = std::bit_cast<std::int64_t>(x);
        return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
    };
    return std::abs(ordered(a) - ordered(b));
}

// Within a few ulp of the library in the vector range, the library's own
// beyond it; NaN and the infinities as the library has them.
TEST(OrbitBatch, TrigonometryKeepsToTheLibrary) {
    Random random(11);
    std::vector<double> in;
    for (double scale : {1e-8, 1.0, 10.0, 1e3, 2.9e4, 1e6, 1e12})
        for (int i = 0; i < 2000; ++i) in.push_back((random.Uniform() - 0.5) * 2 * scale);
    in.insert(in.end(), {0.0, -0.0, constPI, 1.5707963267948966, INFINITY, -INFINITY, NAN});
    std::vector<double> out(in.size());
    std::int64_t worst = 0;
    BatchSin(in, out);
    for (std::size_t i = 0; i < in.size(); ++i) worst = std::max(worst, UlpsApart(out[i], std::sin(in[i])));
    BatchCos(in, out);
    for (std::size_t i = 0; i < in.size(); ++i) worst = std::max(worst, UlpsApart(out[i], std::cos(in[i])));
    BatchAtan(in, out);
    for (std::size_t i = 0; i < in.size(); ++i) worst = std::max(worst, UlpsApart(out[i], std::atan(in[i])));
    EXPECT_LE(worst, 4);
}

// The doubles nearest to multiples of pi/2 (in long double): there the
// reduction cancels all but the last bits of the argument, and a pi/2 of
// 105 bits would leave the smallest of these sines wrong in thousands of
// ulps. The multiples run beyond the largest swirl seen (formula 72's,
// 3.3 x 10^8) to 3 x 10^9.
TEST(OrbitBatch, TrigonometryNearMultiplesOfHalfPi) {
    Random random(13);
    std::vector<double> in;
    for (int i = 0; i < 4000; ++i) {
        const double n = std::floor(random.Uniform() * 1.9e9) + 1;
        const auto nearest =
            static_cast<double>(static_cast<long double>(n) * std::numbers::pi_v<long double> / 2);
        in.insert(in.end(), {nearest, std::nextafter(nearest, 0.0), -nearest});
    }
    std::vector<double> sines(in.size()), cosines(in.size());
    BatchSin(in, sines);
    BatchCos(in, cosines);
    std::int64_t worst = 0;
    for (std::size_t i = 0; i < in.size(); ++i)
        worst =
            std::max({worst, UlpsApart(sines[i], std::sin(in[i])), UlpsApart(cosines[i], std::cos(in[i]))});
    EXPECT_LE(worst, 4);
}

// The very integers the library sine gives, also where a sum lands next to
// a half (walked one representable step at a time from such moves).
TEST(OrbitBatch, HitIncrementsAreTheLibrarySines) {
    Random random(12);
    std::vector<double> moved;
    for (double scale : {1e-6, 1.0, 1e3, 3e5, 1e7})
        for (int i = 0; i < 4000; ++i) moved.push_back((random.Uniform() - 0.5) * 2 * scale);
    for (double start : {1.0 / 6, 5.0 / 6, 0.0804306, 0.2699}) {
        double m = start;
        for (int k = 0; k < 500; ++k, m = std::nextafter(m, 1.0)) moved.push_back(m);
    }
    std::vector<double> out(moved.size());
    long mismatches = 0;
    for (double intensity : {0.0, 1.0, 2.0, 10.0, 64.0, 1000.0, 2500.0}) {
        BatchHitIncrements(intensity, moved, out);
        for (std::size_t i = 0; i < moved.size(); ++i)
            mismatches += out[i] != std::lrint(ReferenceHitIncrement(intensity, moved[i]));
    }
    EXPECT_EQ(mismatches, 0);
}

// Every counted iteration adds 10, in budgets that do not divide among the
// orbits.
TEST(OrbitBatch, CountsExactlyTheBudget) {
    const TFractalRec v = testing::StillPointRecord();
    std::vector<std::int32_t> counts(40 * 30, kUntouchedCount);
    OrbitBatch batch(v, {}, 1);
    batch.Run(1000 + 7, counts);
    batch.Run(5, counts);
    EXPECT_EQ(batch.Counted(), 1012);
    const std::int64_t rise = std::accumulate(counts.begin(), counts.end(), std::int64_t{0}) -
                              std::int64_t{kUntouchedCount} * 40 * 30;
    EXPECT_EQ(rise, 10 * 1012);
}

TEST(OrbitBatch, TheSameSeedDrawsTheSameCountsAndAnotherAnother) {
    const TFractalRec v = testing::FaithfulnessRecord(70, 1, 64, 48);
    const auto a = testing::BatchRises(v, 200'000, 5);
    EXPECT_EQ(a, testing::BatchRises(v, 200'000, 5));
    EXPECT_NE(a, testing::BatchRises(v, 200'000, 6));
}

// Only None on, at 256 x 256 in the view -2..2: x = 0.5078125 maps to
// column 160.5 and y = -0.4921875 to row 96.5, both on a pixel's edge, and
// halves go to the even neighbour.
TFractalRec OnPixelEdges(int formula) {
    TFractalRec v = NewWindowRecord(256, 256);
    v.formula = formula;
    v.randomStart = kFalse;
    v.startX = 0.5078125;
    v.startY = -0.4921875;
    v.zoom = 1;
    v.varSwirl = kFalse;
    FreezeView(v);
    return v;
}

std::vector<std::size_t> LitPixels(const TFractalRec& v, std::int64_t iterations) {
    std::vector<std::size_t> lit;
    const std::vector<double> rises = testing::BatchRises(v, iterations, 3);
    for (std::size_t i = 0; i < rises.size(); ++i)
        if (rises[i] > 0) lit.push_back(i);
    return lit;
}

// Orbits that do not move or go round a cycle are not spread apart: each
// lights just the pixels the engine's orbit lights.
TEST(OrbitBatch, ASettledOrbitLightsTheEnginesPixelsOnly) {
    // Formula 73 leaves the point where it is: pixel (160, 96) alone.
    EXPECT_EQ(LitPixels(OnPixelEdges(73), 100'000), std::vector<std::size_t>{96 * 256 + 160});

    // All three affine maps of formula 70 are (x, y) -> (-x, -y): a cycle of
    // two points, the second at column 95.5 and row 159.5.
    TFractalRec cycle = OnPixelEdges(70);
    cycle.af = Coefficients{};
    for (int j : {0, 19, 39}) cycle.af[1 + j] = cycle.af[4 + j] = -1;
    EXPECT_EQ(LitPixels(cycle, 100'000), (std::vector<std::size_t>{96 * 256 + 160, 160 * 256 + 96}));
}

// A long batched drawing and the engine's own of the same record give the
// same picture, for every formula of the menus that has a record with a
// picture of its own (see faithfulness_records.h).
TEST(OrbitBatch, DrawsWhatTheEngineDrawsForEveryFormula) {
    std::set<int> tested;
    for (const testing::FaithfulnessCase& c : testing::kFaithfulnessCases) {
        const TFractalRec v = testing::FaithfulnessRecord(c.formula, c.seed, 64, 48, c.found);
        const double r =
            testing::Correlation(testing::EngineRises(v, 1'000'000, 1), testing::BatchRises(v, 1'000'000, 2));
        EXPECT_GE(r, 0.99) << "formula " << c.formula;
        tested.insert(c.formula);
    }
    for (int formula : testing::kNoFairRecord) tested.insert(formula);
    for (const FormulaInfo& formula : Formulas()) {
        if (formula.enabled) {
            EXPECT_TRUE(tested.contains(formula.number)) << "formula " << formula.number;
        }
    }
}

}  // namespace
}  // namespace zephyrin
