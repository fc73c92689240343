#include "engine/explore/orbit_measures.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <optional>
#include <vector>

#include "engine/core/formula_table.h"
#include "engine/core/random.h"
#include "engine/explore/appeal_score.h"
#include "engine/explore/correlation_dimension.h"
#include "engine/explore/fit_view.h"
#include "engine/explore/lyapunov_estimate.h"
#include "engine/explore/orbit_probe.h"
#include "engine/explore/vector_state.h"

namespace zephyrin {

namespace {

// The steps ClassifyOrbit looks for a repetition in.
constexpr std::int32_t kRepeatWindow = 256;
// Some orbits are rescued now and then and go on as before: those of the
// formulas that restart themselves, and those that spiral into the origin
// (formula 22). More rescues than this make a scatter of escapes.
constexpr std::int32_t kStepsPerForgivenEscape = 100;

// Points of the orbit fewer steps apart than this are alike through the
// orbit's own slowness, not through the attractor's shape: the engine's
// slowest maps move a point by a fraction of a pixel per step.
constexpr std::int32_t kTheilerSteps = 500;

// What the measuring run keeps of the orbit: the points plotted in its first
// coverageIterations steps, and dimensionPoints orbit points drawn at random
// from the whole run, however long it turns out to be (a reservoir sample).
// Points at regular intervals would not do: on an invariant curve they sit
// as evenly as a lattice, and their pairs do not scale as the curve's.
class OrbitSample {
public:
    OrbitSample(const MeasureBudget& budget, std::uint64_t seed)
        : points_(static_cast<std::size_t>(std::max(budget.dimensionPoints, 0))),
          coverageSteps_(budget.coverageIterations),
          random_(seed) {
        reservoir_.reserve(points_);
        plotted_.reserve(2 * static_cast<std::size_t>(std::max(coverageSteps_, 0)));
    }

    void Take(const OrbitProbe& orbit, bool stayed) {
        escapes_ += stayed ? 0 : 1;
        if (steps_ < coverageSteps_)
            plotted_.insert(plotted_.end(), orbit.Plotted().begin(), orbit.Plotted().end());
        const std::int32_t step = steps_++;
        if (reservoir_.size() < points_) {
            reservoir_.push_back({step, orbit.Position()});
            return;
        }
        const auto slot = static_cast<std::size_t>(random_.Uniform() * (step + 1));
        if (slot < points_) reservoir_[slot] = {step, orbit.Position()};
    }

    // The sampled points in the order the orbit visited them.
    std::vector<Point2D> Positions() {
        std::ranges::sort(reservoir_, {}, &Visit::step);
        std::vector<Point2D> positions;
        positions.reserve(reservoir_.size());
        for (const Visit& visit : reservoir_) positions.push_back(visit.point);
        return positions;
    }
    const std::vector<Point2D>& Plotted() const { return plotted_; }
    std::int32_t Steps() const { return steps_; }
    std::int32_t Escapes() const { return escapes_; }

private:
    struct Visit {
        std::int32_t step;
        Point2D point;
    };

    std::size_t points_;
    std::int32_t coverageSteps_;
    Random random_;
    std::vector<Visit> reservoir_;
    std::vector<Point2D> plotted_;
    std::int32_t steps_ = 0;
    std::int32_t escapes_ = 0;
};

constexpr const char* kStopped = "measuring the orbit was stopped";

// Steps between looks at the cancel flag where no exponent is measured.
constexpr std::int32_t kStepsBetweenLooks = 1000;

// Steps the orbit through the measuring run into `sample`; the largest
// Lyapunov exponent measured along it, NaN for formulas that restart.
// Nothing when `cancel` was set.
std::optional<double> RunSample(const OrbitProbe& probe, bool restarts, const MeasureBudget& budget,
                                const std::atomic<bool>* cancel, OrbitSample& sample) {
    const std::int32_t steps = std::max(budget.coverageIterations, budget.dimensionSpan);
    if (restarts) {
        OrbitProbe orbit = probe;
        for (std::int32_t i = 0; i < steps; ++i) {
            if (i % kStepsBetweenLooks == 0 && cancel && cancel->load(std::memory_order_relaxed))
                return std::nullopt;
            const bool stayed = orbit.Step();
            sample.Take(orbit, stayed);
        }
        return std::numeric_limits<double>::quiet_NaN();
    }
    const LyapunovBudget lyapunov{.minSteps = std::max(budget.lyapunovSteps, steps),
                                  .maxSteps = std::max(budget.lyapunovMaxSteps, steps),
                                  .tolerance = budget.lyapunovTolerance,
                                  .cancel = cancel};
    const LyapunovEstimate estimate =
        EstimateLyapunov(probe, lyapunov, [&](const OrbitProbe& p, bool stayed) { sample.Take(p, stayed); });
    if (estimate.cancelled) return std::nullopt;
    return estimate.exponent;
}

double Dimension(OrbitSample& sample) {
    const std::vector<Point2D> positions = sample.Positions();
    // The Theiler window in steps of the orbit, as places of the sample.
    const std::int64_t window =
        std::int64_t{kTheilerSteps} * std::ssize(positions) / std::max(sample.Steps(), 1);
    return CorrelationDimension(positions, static_cast<std::int32_t>(std::max<std::int64_t>(window, 1)));
}

// The measuring run from the probe's place: L, D2 and, unless `coverage`
// is given, coverage into `measures`, or a runaway orbit. False when
// cancelled.
bool MeasureRun(const OrbitProbe& probe, const TFractalRec& record, const MeasureBudget& budget,
                std::uint64_t seed, const std::atomic<bool>* cancel, std::optional<double> coverage,
                OrbitMeasures& measures) {
    const bool restarts = RestartsItself(ShapeOf(record.formula));
    OrbitSample sample(budget, MixBits(seed ^ kGoldenGamma));
    const std::optional<double> lyapunov = RunSample(probe, restarts, budget, cancel, sample);
    if (!lyapunov) return false;
    measures.lyapunov = *lyapunov;
    if (sample.Escapes() > sample.Steps() / kStepsPerForgivenEscape) {
        measures = {.measured = true, .kind = OrbitKind::kRunaway};
        return true;
    }
    measures.coverage = coverage.value_or(CoveredShare(sample.Plotted(), record));
    measures.dimension = measures.kind == OrbitKind::kWandering ? Dimension(sample) : 0;
    return true;
}

// An orbit of a smooth map that wanders with an exponent this close to 0
// circles on a curve or a torus, or closes in on one.
constexpr double kCirclingExponent = 0.005;

bool ClosesInSlowly(const OrbitMeasures& measures, FormulaShape shape, const MeasureBudget& budget) {
    return budget.circlingSteps > 0 && measures.kind == OrbitKind::kWandering && IsSmooth(shape) &&
           !RestartsItself(shape) && std::fabs(measures.lyapunov) <= kCirclingExponent;
}

// Steps the probe on; false when cancelled.
bool StepOn(OrbitProbe& probe, std::int32_t steps, const std::atomic<bool>* cancel) {
    for (std::int32_t i = 0; i < steps; ++i) {
        if (i % kStepsBetweenLooks == 0 && cancel && cancel->load(std::memory_order_relaxed)) return false;
        probe.Step();
    }
    return true;
}

}  // namespace

Result<OrbitMeasures> MeasureOrbit(const TFractalRec& v, const Effects& effects, std::uint64_t seed,
                                   const MeasureBudget& budget, const std::atomic<bool>* cancel) {
    ClearUpperVectorState();
    OrbitMeasures measures;
    const FormulaShape shape = ShapeOf(v.formula);
    if (shape == FormulaShape::kNone) return measures;
    measures.measured = true;
    try {
        const TFractalRec record = WithStartMade(v, effects, seed);
        OrbitProbe probe(record, effects, seed);
        const std::int32_t forgiven = (budget.transient + kRepeatWindow) / kStepsPerForgivenEscape;
        const OrbitClass orbit = ClassifyOrbit(
            probe, {.transient = budget.transient, .window = kRepeatWindow, .allowedEscapes = forgiven});
        measures.kind = orbit.kind;
        if (orbit.kind == OrbitKind::kRunaway) return measures;
        if (!MeasureRun(probe, record, budget, seed, cancel, std::nullopt, measures))
            return Failure(kStopped);
        // What a drawing lights is what its first iterations light: the
        // coverage stays the first run's.
        if (ClosesInSlowly(measures, shape, budget)) {
            if (!StepOn(probe, budget.circlingSteps, cancel)) return Failure(kStopped);
            if (!MeasureRun(probe, record, budget, seed, cancel, measures.coverage, measures))
                return Failure(kStopped);
        }
        if (measures.kind == OrbitKind::kWandering)
            measures.score = AppealScore(measures.lyapunov, measures.dimension, measures.coverage,
                                         IsSmooth(shape) && !RestartsItself(shape));
        return measures;
    } catch (const std::bad_alloc&) {
        return Failure("not enough memory to measure the orbit");
    }
}

}  // namespace zephyrin
