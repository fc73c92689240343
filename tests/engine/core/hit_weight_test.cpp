// The fast hit increments must give exactly the integer the library sine gives.
#include "engine/core/hit_weight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/core/defaults.h"
#include "engine/core/random.h"
#include "engine/core/view_coords.h"
#include "engine/test_host.h"

namespace zephyrin {
namespace {

long Reference(double intensity, double moved) {
    return std::lrint(ReferenceHitIncrement(intensity, moved));
}

TEST(HitIncrement, MatchesTheLibrarySineOverManyArguments) {
    Random random(2024);
    const double scales[] = {1e-6, 0.01, 1, 10, 1e3, 1e5, 3e5, 1e7};
    const double intensities[] = {0, 1, 10, 12.5, 17, 33, 64, 64.5, 500, 1000};
    long mismatches = 0;
    for (double intensity : intensities)
        for (double scale : scales)
            for (int i = 0; i < 40000; ++i) {
                const double moved = (random.Uniform() - 0.5) * 2 * scale;
                mismatches +=
                    std::lrint(RoundedHitIncrement(intensity, moved)) != Reference(intensity, moved);
            }
    EXPECT_EQ(mismatches, 0);
}

TEST(HitIncrement, MatchesAtRoundingSteps) {
    // Arguments whose sum lands on or near a half (intensity 1 at weight 0.5
    // is moved = 1/6; intensity 2 at weights 0.25 and 0.75), walked one
    // representable step at a time.
    long mismatches = 0;
    const double starts[] = {1.0 / 6, 5.0 / 6, 0.0804306, 0.2699, 0.5, 2.0, 0.0};
    for (double intensity : {1.0, 2.0, 3.0, 10.0, 64.0}) {
        for (double start : starts) {
            double moved = start;
            for (int k = 0; k < 1000; ++k) {
                mismatches +=
                    std::lrint(RoundedHitIncrement(intensity, moved)) != Reference(intensity, moved);
                moved = std::nextafter(moved, 1.0);
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(HitIncrement, WholeDrawingsAreIdenticalWithExactWeights) {
    auto draw = [](bool exact, int formula, double intensity) {
        TFractalRec v = NewWindowRecord(160, 120);
        v.formula = formula;
        v.intensity = intensity;
        v.varLinear = v.varPolar = kTrue;
        v.zoom = 1.0;  // close in, so the attractor covers many pixels
        FreezeView(v);
        testing::TestHost host(v);
        host.StopAfter(200000);
        Engine engine(99);
        engine.UseExactHitWeights(exact);
        engine.RunEngine(v, host);
        std::vector<std::int32_t> result = host.hitList;
        result.insert(result.end(), host.Image().Words(), host.Image().Words() + 160 * 120);
        return result;
    };
    for (int formula : {70, 63, 14})
        for (double intensity : {10.0, 37.0, 300.0})
            EXPECT_EQ(draw(false, formula, intensity), draw(true, formula, intensity))
                << formula << " " << intensity;
}

}  // namespace
}  // namespace zephyrin
