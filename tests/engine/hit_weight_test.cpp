// The fast hit increment must give exactly the integer the library sine gives.
#include "engine/hit_weight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/defaults.h"
#include "engine/random.h"
#include "engine/view_coords.h"
#include "test_host.h"

namespace zephyrin {
namespace {

long ReferenceRounded(double intensity, double moved) {
    double weight;
    return std::lrint(ReferenceHitIncrement(intensity, moved, weight));
}

long FastRounded(double intensity, double moved) {
    double weight;
    return std::lrint(RoundedHitIncrement(intensity, moved, weight));
}

TEST(HitIncrement, MatchesTheLibrarySineOverManyArguments) {
    Random random(2024);
    const double scales[] = {1e-6, 0.01, 1, 10, 1e3, 1e5, 3e5, 1e7};
    const double intensities[] = {0, 1, 10, 17, 33, 64, 500, 1000};
    long mismatches = 0;
    for (double scale : scales)
        for (double intensity : intensities)
            for (int i = 0; i < 50000; ++i) {
                const double moved = (random.Uniform() - 0.5) * 2 * scale;
                mismatches += FastRounded(intensity, moved) != ReferenceRounded(intensity, moved);
            }
    EXPECT_EQ(mismatches, 0);
}

TEST(HitIncrement, MatchesNearTiesAndSpecialArguments) {
    // Arguments whose sum lands on or near a half: intensity 1, weight 0.5
    // (moved = 1/6) or intensity 2, weight 0.25 and 0.75.
    long mismatches = 0;
    for (double base : {1.0 / 6, 5.0 / 6, 0.0804306, 0.2699, 0.5, 2.0, 0.0}) {
        double moved = base;
        for (int k = 0; k < 2000; ++k) {
            for (double intensity : {1.0, 2.0, 3.0, 64.0})
                mismatches += FastRounded(intensity, moved) != ReferenceRounded(intensity, moved);
            moved = std::nextafter(moved, 1.0);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(HitIncrement, WholeDrawingsAreIdenticalWithExactWeights) {
    auto draw = [](bool exact, int formula) {
        TFractalRec v;
        v.width = v.listWidth = 160;
        v.height = v.listHeight = 120;
        ResetCoordinates(v);
        SetNewWindowDefaults(v);
        v.formula = formula;
        v.intensity = 37;
        v.varLinear = v.varPolar = kTrue;
        v.zoom = 1.0;  // close in, so the attractor covers many pixels
        AdjustCoords(v);
        v.plotXMin = v.xMin;
        v.plotXMax = v.xMax;
        v.plotYMin = v.yMin;
        v.plotYMax = v.yMax;
        testing::TestHost host(v);
        host.StopAfter(200000);
        Engine engine(99);
        engine.UseExactHitWeights(exact);
        engine.RunEngine(v, host);
        std::vector<std::int32_t> result = host.hitList;
        result.insert(result.end(), host.Image().Words(), host.Image().Words() + 160 * 120);
        return result;
    };
    for (int formula : {70, 63, 14}) EXPECT_EQ(draw(false, formula), draw(true, formula)) << formula;
}

}  // namespace
}  // namespace zephyrin
