#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/batch/hit_bins.h"
#include "engine/batch/own_counts.h"
#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "engine/core/variation_table.h"

namespace zephyrin {

namespace batch_detail {
struct CellTarget;
}

// The record values a batch reads at every iteration, as numbers.
struct BatchParams {
    std::int32_t formula = 0;
    std::int32_t shape = 0;  // FormulaShape
    std::int32_t transformMode = 0;
    double BB = 0, factor2 = 0, intensity = 0, randomizer = 0;
    double af[Coefficients::kCount + 1] = {};
    VariationSet variations = 0;
    bool modulas = false, expansion = false;
    // The frozen view: a point maps to column (x - xMin) / xRange * width.
    double xMin = 0, yMin = 0, xRange = 0, yRange = 0;
    std::int32_t width = 0, height = 0;
};

// Many independent orbits of one record iterated in lock-step on the vector
// units, for drawings whose colours come from the final counts. Each orbit
// has its own random stream, accumulator and W, xn, sign, j and A, and adds
// its hits to a width x height grid of counts (row by row, each from
// kUntouchedCount) as the engine would. Before they count, the orbits skip
// a transient: they start from points kSpacing apart of the engine's own
// orbit of the record (seeded from `seed`) past kTransient iterations, each
// moved by a hair, so that many short orbits draw what one long one draws;
// one that has settled on a fixed point or a cycle is left where it is, and
// lights exactly the pixels the engine's orbit lights.
// Formulas 23 to 40 make their own random starts every 1000 iterations of
// each orbit and count from the first. The same record, effects and seed
// draw the same counts on the same machine.
class OrbitBatch {
public:
    static constexpr int kOrbits = 32;
    static constexpr std::int32_t kTransient = 10000;
    static constexpr std::int32_t kSpacing = 1000;

    OrbitBatch(const TFractalRec& start, const Effects& effects, std::uint64_t seed);

    // The values a drawing takes up while it runs (B, the weights, the
    // variations, af, the random range...); the view and size stay.
    void Update(const TFractalRec& rec, const Effects& effects);

    // Counts `iterations` more iterations (shared out over the orbits, so a
    // budget is met exactly) into `bins`, after the transient if it is
    // still to come; the hits reach the bins' grid as the bins fill and
    // when they are emptied. Bins of another size count nothing.
    void Run(std::int64_t iterations, HitBins& bins);
    // The same into counts this batch alone writes to, all counted on return.
    void Run(std::int64_t iterations, OwnCounts& counts);
    void Run(std::int64_t iterations, std::span<std::int32_t> counts);

    std::int64_t Counted() const { return counted_; }
    // The last point plotted, for a status line.
    double LastX() const { return lastX_; }
    double LastY() const { return lastY_; }
    double LastA() const;

    // SIMD state, laid out for the kernel.
    struct alignas(64) Lanes {
        double x[kOrbits], y[kOrbits], accX[kOrbits], accY[kOrbits];
        double W[kOrbits], xn[kOrbits], sign[kOrbits], AA[kOrbits], j[kOrbits];
        std::uint64_t s0[kOrbits], s1[kOrbits], s2[kOrbits], s3[kOrbits];
    };
    struct OrbitState {
        double x, y, accX, accY, W, xn, sign, AA, j;
    };
    struct PlottedPoint {
        double x, y;
    };
    struct Outcome {
        double lastX = 0, lastY = 0;
        bool plotted = false;
    };

private:
    void WarmUp();
    // `iterations` shared out over the orbits, in at most two runs of steps.
    template <typename RunSteps>
    void ShareOut(std::int64_t iterations, RunSteps run);
    void Steps(std::int64_t steps, int plottingOrbits, HitBins* bins, const batch_detail::CellTarget* cells);

    Lanes lanes_;
    TFractalRec start_;
    Effects effects_;
    std::uint64_t warmUpSeed_ = 0;
    OrbitState taken_[kOrbits] = {};
    bool settled_[kOrbits] = {};  // on a fixed point or a cycle when taken
    BatchParams params_;
    std::uint32_t iteration_ = 0;  // of every orbit, wrapping as the engine's does
    bool restarts_ = false;
    bool warmedUp_ = false;
    std::int64_t counted_ = 0;
    double lastX_ = 0, lastY_ = 0;
};

// The name of the vector instruction set the batches run on.
const char* BatchTarget();

// The rounded hit increments the batches add for these moves (finite
// intensities within the int32 range), and their sine, cosine and
// arctangent, for tests.
void BatchHitIncrements(double intensity, std::span<const double> moved, std::span<double> out);
void BatchSin(std::span<const double> in, std::span<double> out);
void BatchCos(std::span<const double> in, std::span<double> out);
void BatchAtan(std::span<const double> in, std::span<double> out);

// One iteration on the batch's vectors of an orbit in `state` at the
// orbit's iteration count `iteration`, its random draws the uniforms
// `uniforms` in turn, for tests beside the engine's step: the points the
// variations plot are appended to `plotted`.
void BatchStepOnce(const TFractalRec& rec, const Effects& effects, std::uint32_t iteration,
                   OrbitBatch::OrbitState& state, std::span<const double> uniforms,
                   std::vector<OrbitBatch::PlottedPoint>& plotted);

}  // namespace zephyrin
