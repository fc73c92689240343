#include "engine/explore/orbit_measures.h"

#include <algorithm>
#include <new>
#include <vector>

#include "engine/core/formula_table.h"
#include "engine/core/random.h"
#include "engine/explore/appeal_score.h"
#include "engine/explore/correlation_dimension.h"
#include "engine/explore/fit_view.h"
#include "engine/explore/lyapunov_estimate.h"
#include "engine/explore/orbit_probe.h"

namespace zephyrin {

namespace {

// Points this many steps apart are less alike than neighbours, and a few
// thousand of them still take only a few thousand steps more.
constexpr std::int32_t kDimensionStride = 5;
// The steps ClassifyOrbit looks for a repetition in.
constexpr std::int32_t kRepeatWindow = 256;
// As many rescues as Fit View forgives its sample; the formulas that restart
// themselves may need one at every restart.
constexpr std::int32_t kStepsPerForgivenEscape = 1000;
// Far below a pixel of any view a picture can show, far above rounding.
constexpr double kStartNudge = 1e-9;

void NudgeStart(TFractalRec& v, std::uint64_t seed) {
    Random random(MixBits(seed ^ kGoldenGamma));
    v.startX += (random.Uniform() - 0.5) * 2 * kStartNudge * (1 + std::fabs(v.startX));
    v.startY += (random.Uniform() - 0.5) * 2 * kStartNudge * (1 + std::fabs(v.startY));
}

struct Sample {
    std::vector<Point2D> positions;  // for D2
    std::vector<Point2D> plotted;    // for the coverage
    std::int32_t steps = 0;
    std::int32_t escapes = 0;
};

Sample TakeSample(OrbitProbe& probe, const MeasureBudget& budget) {
    Sample sample;
    const std::int32_t points = std::max(budget.dimensionPoints, 0);
    sample.steps = std::max(budget.coverageIterations, points * kDimensionStride);
    sample.positions.reserve(static_cast<std::size_t>(points));
    sample.plotted.reserve(static_cast<std::size_t>(std::max(budget.coverageIterations, 0)) * 2);
    for (std::int32_t i = 0; i < sample.steps; ++i) {
        sample.escapes += probe.Step() ? 0 : 1;
        if (i % kDimensionStride == 0 && std::ssize(sample.positions) < points)
            sample.positions.push_back(probe.Position());
        if (i < budget.coverageIterations)
            sample.plotted.insert(sample.plotted.end(), probe.Plotted().begin(), probe.Plotted().end());
    }
    return sample;
}

}  // namespace

Result<OrbitMeasures> MeasureOrbit(const TFractalRec& v, const Effects& effects, std::uint64_t seed,
                                   const MeasureBudget& budget) {
    OrbitMeasures measures;
    const FormulaShape shape = ShapeOf(v.formula);
    if (shape == FormulaShape::kNone) return measures;
    measures.measured = true;
    try {
        TFractalRec record = v;
        if (record.randomStart) {
            OrbitProbe starter(record, effects, seed);
            starter.MakeRandomStart();
            TakeStartValues(record, starter.Record());
        }
        NudgeStart(record, seed);
        const bool restarts = RestartsItself(shape);
        OrbitProbe probe(record, effects, seed);
        const std::int32_t forgiven =
            restarts ? (budget.transient + kRepeatWindow) / kStepsPerForgivenEscape + 1 : 0;
        const OrbitClass orbit = ClassifyOrbit(
            probe, {.transient = budget.transient, .window = kRepeatWindow, .allowedEscapes = forgiven});
        measures.kind = orbit.kind;
        if (orbit.kind == OrbitKind::kRunaway) return measures;
        if (!restarts)
            measures.lyapunov = EstimateLyapunov(probe, {.minSteps = budget.lyapunovSteps,
                                                         .maxSteps = budget.lyapunovMaxSteps,
                                                         .tolerance = budget.lyapunovTolerance})
                                    .exponent;
        const Sample sample = TakeSample(probe, budget);
        if (sample.escapes > sample.steps / kStepsPerForgivenEscape) {
            measures = {.measured = true, .kind = OrbitKind::kRunaway};
            return measures;
        }
        measures.coverage = CoveredShare(sample.plotted, record);
        if (orbit.kind != OrbitKind::kWandering) {
            measures.dimension = 0;
            return measures;
        }
        measures.dimension = CorrelationDimension(sample.positions);
        measures.score = AppealScore(measures.lyapunov, measures.dimension, measures.coverage,
                                     IsSmooth(shape) && !restarts);
        return measures;
    } catch (const std::bad_alloc&) {
        return Failure("not enough memory to measure the orbit");
    }
}

}  // namespace zephyrin
