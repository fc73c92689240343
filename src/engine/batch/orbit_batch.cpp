// A batch of orbits: their start from the engine's own orbit, the record's
// values they read, and their runs; the kernel is orbit_kernel.cpp.
#include "engine/batch/orbit_batch.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "engine/batch/orbit_kernel.h"
#include "engine/batch/recent_states.h"
#include "engine/core/engine.h"
#include "engine/core/formula_table.h"
#include "engine/core/random.h"

namespace zephyrin {

namespace {

// The engine's orbit, step by step, for the batch to start from.
class WarmUpEngine final : public Engine {
public:
    using Engine::Engine;
    OrbitBatch::OrbitState Now() const {
        return {x, y, accX, accY, W, xn, sign, v->AA, static_cast<double>(j)};
    }
};

// Takes the orbit's state after kTransient iterations and every kSpacing
// after that, with whether it has settled on a cycle there, and stops when it has one for every orbit of the
// batch.
class WarmUpHost final : public EngineHost {
public:
    WarmUpHost(TFractalRec& rec, const WarmUpEngine& engine, OrbitBatch::OrbitState* taken, bool* settled)
        : rec_(rec), engine_(engine), taken_(taken), settled_(settled) {}
    void ProcessMessages() override {
        const OrbitBatch::OrbitState now = engine_.Now();
        ++done_;
        if (done_ >= OrbitBatch::kTransient && (done_ - OrbitBatch::kTransient) % OrbitBatch::kSpacing == 0) {
            settled_[next_] = recent_.Repeat(now);
            taken_[next_++] = now;
            if (next_ == OrbitBatch::kOrbits) rec_.stop = kTrue;
        }
        recent_.Add(now);
    }

private:
    TFractalRec& rec_;
    const WarmUpEngine& engine_;
    OrbitBatch::OrbitState* taken_;
    bool* settled_;
    RecentStates recent_;
    std::int64_t done_ = 0;
    int next_ = 0;
};

}  // namespace

BatchParams batch_detail::ParamsOf(const TFractalRec& v, const Effects& effects, const BatchParams& view) {
    BatchParams p = view;
    p.formula = v.formula;
    p.shape = static_cast<std::int32_t>(ShapeOf(v.formula));
    p.transformMode = v.transformMode;
    p.BB = v.BB;
    p.factor2 = v.factor2;
    p.intensity = v.intensity;
    p.randomizer = v.randomizer;
    for (int i = 0; i <= Coefficients::kCount; ++i) p.af[i] = v.af[i];
    p.variations = VariationSetOf(v);
    p.modulas = effects.modulas != 0;
    p.expansion = effects.expansion != 0;
    return p;
}

OrbitBatch::OrbitBatch(const TFractalRec& start, const Effects& effects, std::uint64_t seed) {
    BatchParams view;
    view.width = std::max(start.width, 0);
    view.height = std::max(start.height, 0);
    view.xMin = start.plotXMin;
    view.yMin = start.plotYMin;
    view.xRange = start.plotXMax - start.plotXMin;
    view.yRange = start.plotYMax - start.plotYMin;
    params_ = batch_detail::ParamsOf(start, effects, view);

    start_ = start;
    effects_ = effects;
    warmUpSeed_ = seed;
    // Every orbit starts from the start point; WarmUp spreads them out.
    restarts_ = ShapeOf(start.formula) == FormulaShape::kH;
    for (int i = 0; i < kOrbits; ++i) {
        lanes_.x[i] = lanes_.accX[i] = start.startX;
        lanes_.y[i] = lanes_.accY[i] = start.startY;
        lanes_.W[i] = 0;
        lanes_.xn[i] = 0;
        lanes_.sign[i] = 1;
        lanes_.AA[i] = start.AAStart;
        lanes_.j[i] = 0;
        Random stream(MixBits(seed + static_cast<std::uint64_t>(i + 1) * kGoldenGamma));
        lanes_.s0[i] = stream.Next();
        lanes_.s1[i] = stream.Next();
        lanes_.s2[i] = stream.Next();
        lanes_.s3[i] = stream.Next();
    }
}

void OrbitBatch::WarmUp() {
    warmedUp_ = true;
    // Formulas 23 to 40 begin every orbit with a random start of its own.
    if (restarts_) return;
    // The orbits take points kSpacing apart of the engine's own orbit past
    // its transient, each moved by a hair: on a chaotic attractor they soon
    // go their own ways, on a closed curve they keep to it (the very one the
    // engine's drawing finds), spread along it as one long orbit would be.
    // A point that has settled on a fixed point or a cycle stays where it
    // is: moved, it would light the neighbours of a pixel whose edge it
    // lies on, which the engine's orbit never does.
    TFractalRec rec = start_;
    rec.randomStart = kFalse;
    rec.stop = kFalse;
    rec.listWidth = rec.listHeight = 0;  // nothing to count into
    WarmUpEngine engine(warmUpSeed_);
    WarmUpHost host(rec, engine, taken_, settled_);
    host.effects = effects_;
    engine.RunEngine(rec, host);
    iteration_ = static_cast<std::uint32_t>(rec.iterations);

    Random hair(warmUpSeed_ ^ kGoldenGamma);
    auto apart = [&](double value) {
        return value + (hair.Uniform() - 0.5) * 1e-9 * std::max(std::fabs(value), 1.0);
    };
    for (int i = 0; i < kOrbits; ++i) {
        const OrbitState& s = taken_[i];
        lanes_.x[i] = settled_[i] ? s.x : apart(s.x);
        lanes_.y[i] = settled_[i] ? s.y : apart(s.y);
        lanes_.accX[i] = s.accX;
        lanes_.accY[i] = s.accY;
        lanes_.W[i] = s.W;
        lanes_.xn[i] = s.xn;
        lanes_.sign[i] = s.sign;
        lanes_.AA[i] = s.AA;
        lanes_.j[i] = s.j;
    }
}

void OrbitBatch::Update(const TFractalRec& rec, const Effects& effects) {
    params_ = batch_detail::ParamsOf(rec, effects, params_);
}

double OrbitBatch::LastA() const {
    return lanes_.AA[0];
}

void OrbitBatch::Steps(std::int64_t steps, int plottingOrbits, HitBins* bins,
                       const batch_detail::CellTarget* cells) {
    Outcome outcome;
    const batch_detail::StepJob job{iteration_, steps, plottingOrbits, bins, cells, &outcome};
    batch_detail::RunBatchSteps(lanes_, params_, job);
    iteration_ += static_cast<std::uint32_t>(steps);
    if (outcome.plotted) {
        lastX_ = outcome.lastX;
        lastY_ = outcome.lastY;
    }
}

template <typename RunSteps>
void OrbitBatch::ShareOut(std::int64_t iterations, RunSteps run) {
    if (!warmedUp_) WarmUp();
    const std::int64_t whole = iterations / kOrbits;
    const int rest = static_cast<int>(iterations % kOrbits);
    if (whole > 0) run(whole, kOrbits);
    if (rest > 0) run(1, rest);
    counted_ += iterations;
}

void OrbitBatch::Run(std::int64_t iterations, HitBins& bins) {
    if (iterations <= 0) return;
    if (bins.Layout().width != params_.width || bins.Layout().height != params_.height) return;
    ShareOut(iterations, [&](std::int64_t steps, int orbits) { Steps(steps, orbits, &bins, nullptr); });
}

void OrbitBatch::Run(std::int64_t iterations, OwnCounts& counts) {
    if (iterations <= 0) return;
    if (counts.Width() != params_.width || counts.Height() != params_.height ||
        counts.Cells().size() <
            static_cast<std::size_t>(params_.width) * static_cast<std::size_t>(params_.height))
        return;
    ShareOut(iterations, [&](std::int64_t steps, int orbits) {
        // Each variation plots one point a step.
        const std::int64_t hits = steps * orbits * std::popcount(params_.variations);
        const batch_detail::CellTarget cells{counts.Cells().data(), params_.width,
                                             !counts.Admit(hits, IncrementBoundsOf(params_.intensity))};
        Steps(steps, orbits, nullptr, &cells);
    });
}

void OrbitBatch::Run(std::int64_t iterations, std::span<std::int32_t> counts) {
    OwnCounts own(counts, params_.width, params_.height);
    Run(iterations, own);
}

void BatchStepOnce(const TFractalRec& rec, const Effects& effects, std::uint32_t iteration,
                   OrbitBatch::OrbitState& state, std::span<const double> uniforms,
                   std::vector<OrbitBatch::PlottedPoint>& plotted) {
    batch_detail::StepOnce(batch_detail::ParamsOf(rec, effects, {}), iteration, state, uniforms, plotted);
}

}  // namespace zephyrin
