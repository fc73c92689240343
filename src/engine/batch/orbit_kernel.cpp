// The batch kernel, compiled once per vector instruction set by Highway and
// chosen at run time: the engine's own step (orbit_step-inl.h and
// variation_pass-inl.h) taken over vectors of orbits, each with its own
// random stream.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "engine/batch/orbit_kernel.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
// clang-format off
#include <hwy/highway.h>
#include "engine/batch/vector_lanes-inl.h"
#include "engine/batch/hit_plotter-inl.h"
// clang-format on

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/batch/orbit_kernel.h"
#include "engine/core/formula_table.h"
#include "engine/core/lane_policy.h"
#include "engine/core/variation_table.h"
#include "util/rounding.h"

HWY_BEFORE_NAMESPACE();
namespace zephyrin::HWY_NAMESPACE {
namespace {

using Number = L;
// The batches call each of them from one place per step; as in one call, inline.
#define ZEPHYRIN_FORMULA_INLINE HWY_INLINE
#define ZEPHYRIN_TERMS_INLINE HWY_INLINE
#include "engine/core/orbit_step-inl.h"
#include "engine/core/variation_pass-inl.h"

// xoshiro256+ on every lane, as Random does it; the double takes the top 52 bits.
struct Streams {
    VU s0, s1, s2, s3;
    HWY_INLINE V Uniform() {
        const DU du;
        const D d;
        const VU result = hn::Add(s0, s3);
        const VU t = hn::ShiftLeft<17>(s1);
        s2 = hn::Xor(s2, s0);
        s3 = hn::Xor(s3, s1);
        s1 = hn::Xor(s1, s2);
        s0 = hn::Xor(s0, s3);
        s2 = hn::Xor(s2, t);
        s3 = hn::Or(hn::ShiftLeft<45>(s3), hn::ShiftRight<19>(s3));
        const VU bits = hn::Or(hn::ShiftRight<12>(result), hn::Set(du, 0x3FF0000000000000ULL));
        return hn::Sub(hn::BitCast(d, bits), hn::Set(d, 1.0));
    }
};

// Given uniforms, the same on every lane, in turn: a test's draws.
struct GivenDraws {
    const double* uniforms;
    std::size_t count;
    std::size_t next = 0;
    HWY_INLINE V Uniform() { return hn::Set(D(), uniforms[next++ % count]); }
};

// The orbits' working values, one vector each.
struct VectorState {
    L x, y, accX, accY, W, xn, sign, AA, j;
};

// The step's random draws and choices on vectors of orbits.
template <typename Source>
struct VectorLanes : VectorMath {
    Source& random;
    const double* af;
    const L& j;
    double randomizer;

    HWY_INLINE L Draw(double range) {
        return {hn::Mul(hn::Sub(random.Uniform(), hn::Set(D(), 0.5)), hn::Set(D(), range))};
    }
    // af[j + k] by each orbit's j.
    HWY_INLINE L Coefficient(int k) const {
        const D d;
        const M j19 = hn::Eq(j.v, hn::Set(d, 19.0));
        const M j39 = hn::Eq(j.v, hn::Set(d, 39.0));
        return {hn::IfThenElse(j39, hn::Set(d, af[39 + k]),
                               hn::IfThenElse(j19, hn::Set(d, af[19 + k]), hn::Set(d, af[k])))};
    }
    // A new A and start point for each orbit; the coefficients stay the batch's.
    HWY_INLINE void RestartOrbit(StepVars<L> s) {
        s.recordA = Draw(randomizer);
        s.W = Lift(1.0);
        s.x = Draw(randomizer);
        s.y = Draw(randomizer);
        s.accX = s.x;
        s.accY = s.y;
        s.sign = Lift(1.0);
    }
};

// Each orbit's affine map for this iteration, as the engine chooses it.
template <typename Source>
HWY_INLINE void ChooseTransform(Source& random, int mode, L& j) {
    if (mode < 1 || mode > 3) return;
    const D d;
    const V drawn = hn::Round(hn::Mul(hn::Mul(random.Uniform(), hn::Set(d, mode)), hn::Set(d, 20.0)));
    j.v = hn::IfThenElse(hn::Lt(drawn, hn::Set(d, 19.0)), hn::Zero(d),
                         hn::IfThenElse(hn::Lt(drawn, hn::Set(d, 39.0)), hn::Set(d, 19.0), hn::Set(d, 39.0)));
}

// One iteration of a vector of orbits (the engine's EngineStep); `plot`, if
// any, is called with each point the variations plot and the step's start.
template <typename Source, typename Plot>
HWY_INLINE void StepVector(Source& random, const BatchParams& p, std::uint32_t iteration, VectorState& s,
                           Plot* plot) {
    ChooseTransform(random, p.transformMode, s.j);
    VectorLanes<Source> lanes{{}, random, p.af, s.j, p.randomizer};
    static_assert(OrbitLanes<VectorLanes<Source>>);
    const StepRules rules{p.formula,    static_cast<FormulaShape>(p.shape),
                          p.randomizer, iteration % 1000u == 0,
                          p.modulas,    p.expansion};
    L BB = Lift(p.BB), xIn = s.x, yIn = s.y;
    StepOrbit(lanes, rules, p.af,
              StepVars<L>{s.x, s.y, s.W, s.xn, s.sign, s.AA, s.AA, BB, xIn, yIn, s.accX, s.accY});
    if (plot) {
        LanePoint<L> acc{s.accX, s.accY};
        // Inline too: a call would spill every vector the loop keeps.
        PassVariations<VectorMath>(
            p.variations, s.x, s.y, p.factor2,
            acc, [&](L plotX, L plotY) HWY_ATTR __attribute__((always_inline)) {
                (*plot)(plotX, plotY, xIn, yIn);
            });
    }
    s.accX = s.x;
    s.accY = s.y;
}

// The orbits of one vector through job.steps iterations.
template <typename Counter>
void RunVector(OrbitBatch::Lanes& lanes, std::size_t first, const BatchParams& p,
               const batch_detail::StepJob& job, Counter& counter) {
    const D d;
    const DU du;
    auto load = [&](const double* values) { return L{hn::Load(d, values + first)}; };
    VectorState s{load(lanes.x),  load(lanes.y),    load(lanes.accX), load(lanes.accY), load(lanes.W),
                  load(lanes.xn), load(lanes.sign), load(lanes.AA),   load(lanes.j)};
    Streams random{hn::Load(du, lanes.s0 + first), hn::Load(du, lanes.s1 + first),
                   hn::Load(du, lanes.s2 + first), hn::Load(du, lanes.s3 + first)};

    const std::int64_t plottingHere = std::clamp<std::int64_t>(
        job.plottingOrbits - static_cast<std::int64_t>(first), 0, static_cast<std::int64_t>(hn::Lanes(d)));
    Plotter<Counter> plot(p, counter, hn::FirstN(d, static_cast<std::size_t>(plottingHere)));
    Plotter<Counter>* plotting = plottingHere > 0 ? &plot : nullptr;
    for (std::int64_t step = 0; step < job.steps; ++step)
        StepVector(random, p, job.firstIteration + static_cast<std::uint32_t>(step), s, plotting);
    plot.Report(*job.outcome);

    auto store = [&](L value, double* values) { hn::Store(value.v, d, values + first); };
    store(s.x, lanes.x);
    store(s.y, lanes.y);
    store(s.accX, lanes.accX);
    store(s.accY, lanes.accY);
    store(s.W, lanes.W);
    store(s.xn, lanes.xn);
    store(s.sign, lanes.sign);
    store(s.AA, lanes.AA);
    store(s.j, lanes.j);
    hn::Store(random.s0, du, lanes.s0 + first);
    hn::Store(random.s1, du, lanes.s1 + first);
    hn::Store(random.s2, du, lanes.s2 + first);
    hn::Store(random.s3, du, lanes.s3 + first);
}

}  // namespace

template <typename Counter>
void RunVectors(OrbitBatch::Lanes& lanes, const BatchParams& p, const batch_detail::StepJob& job,
                Counter& counter) {
    const std::size_t n = hn::Lanes(D());
    for (std::size_t first = 0; first < static_cast<std::size_t>(OrbitBatch::kOrbits); first += n)
        RunVector(lanes, first, p, job, counter);
}

void RunSteps(OrbitBatch::Lanes& lanes, const BatchParams& p, const batch_detail::StepJob& job) {
    if (job.cells) {
        CellCounter counter(*job.cells);
        RunVectors(lanes, p, job, counter);
        return;
    }
    BinCounter counter(p, *job.bins);
    RunVectors(lanes, p, job, counter);
}

// Records lane 0 of every plotted point.
struct PointRecorder {
    std::vector<OrbitBatch::PlottedPoint>* points;
    HWY_INLINE void operator()(L plotX, L plotY, L, L) const {
        points->push_back({hn::GetLane(plotX.v), hn::GetLane(plotY.v)});
    }
};

void StepOnce(const BatchParams& p, std::uint32_t iteration, OrbitBatch::OrbitState& state,
              const double* uniforms, std::size_t count, std::vector<OrbitBatch::PlottedPoint>* plotted) {
    VectorState s{Lift(state.x),  Lift(state.y),    Lift(state.accX), Lift(state.accY), Lift(state.W),
                  Lift(state.xn), Lift(state.sign), Lift(state.AA),   Lift(state.j)};
    GivenDraws draws{uniforms, count};
    PointRecorder recorder{plotted};
    StepVector(draws, p, iteration, s, &recorder);
    state = {hn::GetLane(s.x.v),    hn::GetLane(s.y.v),  hn::GetLane(s.accX.v),
             hn::GetLane(s.accY.v), hn::GetLane(s.W.v),  hn::GetLane(s.xn.v),
             hn::GetLane(s.sign.v), hn::GetLane(s.AA.v), hn::GetLane(s.j.v)};
}

template <V (*Function)(V)>
void Apply(const double* in, double* out, std::size_t count) {
    const D d;
    const std::size_t n = hn::Lanes(d);
    HWY_ALIGN double buffer[kMaxLanes];
    for (std::size_t i = 0; i < count; i += n) {
        const std::size_t here = std::min(n, count - i);
        std::fill_n(buffer, n, 0.0);
        std::copy_n(in + i, here, buffer);
        hn::Store(Function(hn::Load(d, buffer)), d, buffer);
        std::copy_n(buffer, here, out + i);
    }
}

void IncrementLanes(double intensity, const double* moved, double* out, std::size_t count) {
    const D d;
    const std::size_t n = hn::Lanes(d);
    HWY_ALIGN double buffer[kMaxLanes];
    const bool fast = intensity >= 0 && intensity <= kMaxFastIntensity;
    for (std::size_t i = 0; i < count; i += n) {
        const std::size_t here = std::min(n, count - i);
        std::fill_n(buffer, n, 0.0);
        std::copy_n(moved + i, here, buffer);
        M decided = hn::FirstN(d, 0);
        const V increments = fast ? FastIncrements(hn::Load(d, buffer), intensity, decided) : hn::Zero(d);
        std::uint8_t bits[8] = {};
        hn::StoreMaskBits(d, decided, bits);
        hn::Store(increments, d, buffer);
        for (std::size_t k = 0; k < here; ++k)
            out[i + k] =
                bits[k / 8] >> (k % 8) & 1
                    ? buffer[k]
                    : static_cast<double>(RoundToInt32(ReferenceHitIncrement(intensity, moved[i + k])));
    }
}

void SinLanes(const double* in, double* out, std::size_t count) {
    Apply<SinV>(in, out, count);
}
void CosLanes(const double* in, double* out, std::size_t count) {
    Apply<CosV>(in, out, count);
}
void AtanLanes(const double* in, double* out, std::size_t count) {
    Apply<AtanV>(in, out, count);
}

}  // namespace zephyrin::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace zephyrin {

HWY_EXPORT(RunSteps);
HWY_EXPORT(StepOnce);
HWY_EXPORT(IncrementLanes);
HWY_EXPORT(SinLanes);
HWY_EXPORT(CosLanes);
HWY_EXPORT(AtanLanes);

void batch_detail::RunBatchSteps(OrbitBatch::Lanes& lanes, const BatchParams& p, const StepJob& job) {
    HWY_DYNAMIC_DISPATCH(RunSteps)(lanes, p, job);
}

void batch_detail::StepOnce(const BatchParams& p, std::uint32_t iteration, OrbitBatch::OrbitState& state,
                            std::span<const double> uniforms,
                            std::vector<OrbitBatch::PlottedPoint>& plotted) {
    HWY_DYNAMIC_DISPATCH(StepOnce)(p, iteration, state, uniforms.data(), uniforms.size(), &plotted);
}

const char* BatchTarget() {
    // Highway's best targets have the lowest bits.
    const std::int64_t usable = hwy::SupportedTargets() & HWY_TARGETS;
    return hwy::TargetName(usable & -usable);
}

void BatchHitIncrements(double intensity, std::span<const double> moved, std::span<double> out) {
    HWY_DYNAMIC_DISPATCH(IncrementLanes)
    (intensity, moved.data(), out.data(), std::min(moved.size(), out.size()));
}

void BatchSin(std::span<const double> in, std::span<double> out) {
    HWY_DYNAMIC_DISPATCH(SinLanes)(in.data(), out.data(), std::min(in.size(), out.size()));
}
void BatchCos(std::span<const double> in, std::span<double> out) {
    HWY_DYNAMIC_DISPATCH(CosLanes)(in.data(), out.data(), std::min(in.size(), out.size()));
}
void BatchAtan(std::span<const double> in, std::span<double> out) {
    HWY_DYNAMIC_DISPATCH(AtanLanes)(in.data(), out.data(), std::min(in.size(), out.size()));
}

}  // namespace zephyrin
#endif
