#pragma once

#include <atomic>
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

// How long an orbit is followed for its measures.
struct MeasureBudget {
    std::int32_t transient = 1000;  // steps before anything is measured
    // The Lyapunov exponent: at least this many steps (and dimensionSpan, as
    // D2's points come from the same run), then on until it is stable to
    // `lyapunovTolerance` (twice its standard error) or `lyapunovMaxSteps`
    // are made.
    std::int32_t lyapunovSteps = 10000;
    std::int32_t lyapunovMaxSteps = 200000;
    double lyapunovTolerance = 0.005;
    std::int32_t dimensionPoints = 4000;  // orbit points sampled for D2
    // The engine's maps with B = 1 nearly keep their area and linger for
    // thousands of steps in one region of what they fill: D2's points are
    // drawn from at least this many steps.
    std::int32_t dimensionSpan = 40000;
    std::int32_t coverageIterations = 20000;  // iterations whose plotted points light the view
    // An orbit of a smooth map whose exponent comes out about 0 is measured
    // again this many steps further on (none when 0): the nearly
    // area-keeping maps close in on their curves over millions of steps, and
    // on the way D2 sees the band of the spiral rather than the curve
    // (formula 45: local slopes of log C from 1.07 to 1.7 over the first
    // half million steps, a flat 1.00 after three million).
    std::int32_t circlingSteps = 0;
};

// The measures that are shown (a window's status, a gallery's tiles and its
// CSV, --metrics) rather than only screened by. The quick default budget
// misjudges the orbits of the nearly area-keeping maps: many wander
// chaotically for tens of thousands of steps before they find a curve or a
// cycle, and many stick to the edge of a regular island for a hundred
// thousand steps at an exponent of about 0 before they go on through the
// chaotic sea. So the transient is long, and the exponent is followed until
// its standard error is 0.003, which keeps two estimates of an orbit within
// 0.01 of each other but about once in fifty; D2's points are drawn from at
// least as long a stretch.
inline constexpr MeasureBudget kSettledBudget{.transient = 100000,
                                              .lyapunovSteps = 200000,
                                              .lyapunovMaxSteps = 2000000,
                                              .lyapunovTolerance = 0.006,
                                              .dimensionPoints = 8000,
                                              .dimensionSpan = 200000,
                                              .coverageIterations = 20000,
                                              .circlingSteps = 2000000};

// Measures v's orbit: how it ends (ClassifyOrbit), its largest Lyapunov
// exponent (Benettin's method; for the IFS formulas orbit and shadow take
// the same transform at every step), its correlation dimension from orbit
// points drawn at random from the whole measuring run (at least
// budget.dimensionSpan steps), what its first coverageIterations iterations
// light of v's view, and AppealScore. A pending random start is made first from `seed`, as
// Fit View does; the seed also drives the transforms and rescues. The same
// inputs, budget and seed give the same measures. Touches nothing but its
// own copies: safe on any thread. Fails when memory runs short, and soon
// after `cancel` is set (read every thousand steps of the measuring run).
[[nodiscard]] Result<OrbitMeasures> MeasureOrbit(const TFractalRec& v, const Effects& effects,
                                                 std::uint64_t seed, const MeasureBudget& budget = {},
                                                 const std::atomic<bool>* cancel = nullptr);

}  // namespace zephyrin
