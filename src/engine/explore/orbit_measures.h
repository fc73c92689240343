#pragma once

#include <cstdint>
#include <limits>

#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "engine/explore/orbit_judge.h"
#include "util/result.h"

namespace zephyrin {

// What an orbit of a record is like, measured off-screen on the engine's own
// map (OrbitProbe).
struct OrbitMeasures {
    bool measured = false;  // false for the formulas without a step
    OrbitKind kind = OrbitKind::kWandering;
    // The largest Lyapunov exponent, natural log per iteration; NaN for a
    // runaway orbit and for formulas 23 to 40, which restart every 1000
    // iterations.
    double lyapunov = std::numeric_limits<double>::quiet_NaN();
    // The correlation dimension D2; 0 for a fixed point or a cycle, NaN for
    // a runaway orbit.
    double dimension = std::numeric_limits<double>::quiet_NaN();
    // The share of the record's view that the orbit lights, 0 to 1, on a
    // grid of kCoverageCells cells in the picture's proportions.
    double coverage = 0;
    double score = 0;  // AppealScore; 0 for a runaway or settled orbit
};

struct MeasureBudget {
    std::int32_t transient = 1000;  // steps before anything is measured
    // The Lyapunov exponent: at least this many steps (and kDimensionSpan,
    // as D2's points come from the same run), then on until it is stable to
    // `lyapunovTolerance` or `lyapunovMaxSteps` are made.
    std::int32_t lyapunovSteps = 10000;
    std::int32_t lyapunovMaxSteps = 200000;
    double lyapunovTolerance = 0.005;
    std::int32_t dimensionPoints = 4000;      // orbit points sampled for D2
    std::int32_t coverageIterations = 20000;  // iterations whose plotted points light the view
};

// The engine's maps with B = 1 nearly keep their area and linger for
// thousands of steps in one part of what they fill: D2's points come from
// at least this many steps.
inline constexpr std::int32_t kDimensionSpan = 40000;

// Measures v's orbit: how it ends (ClassifyOrbit), its largest Lyapunov
// exponent (Benettin's method; for the IFS formulas orbit and shadow take
// the same transform at every step), its correlation dimension from orbit
// points drawn at random from the whole measuring run (at least
// kDimensionSpan steps), what the first coverageIterations iterations light of v's view,
// and AppealScore. A pending random start is made first from `seed`, as
// Fit View does; the seed also drives the transforms and rescues. The same
// inputs and seed give the same measures. Touches nothing but its own
// copies: safe on any thread. Fails only when memory runs short.
[[nodiscard]] Result<OrbitMeasures> MeasureOrbit(const TFractalRec& v, const Effects& effects,
                                                 std::uint64_t seed, const MeasureBudget& budget = {});

}  // namespace zephyrin
