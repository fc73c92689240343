// Counting a vector of plotted points: the frozen view's pixel of each and
// its hit increment, the hit weight's polynomial where it decides the
// rounding and the library sine elsewhere (hit_weight.h). Re-included per
// instruction set as vector_lanes-inl.h is.
#if defined(ZEPHYRIN_HIT_PLOTTER_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef ZEPHYRIN_HIT_PLOTTER_INL_H_
#undef ZEPHYRIN_HIT_PLOTTER_INL_H_
#else
#define ZEPHYRIN_HIT_PLOTTER_INL_H_
#endif

#include <atomic>
#include <cstdint>

#include "engine/batch/orbit_kernel.h"
#include "engine/batch/vector_lanes-inl.h"
#include "engine/core/constants.h"
#include "engine/core/hit_weight.h"

HWY_BEFORE_NAMESPACE();
namespace zephyrin::HWY_NAMESPACE {

namespace hit_weight_lanes {
#include "engine/core/hit_weight_polynomial.inc"
}  // namespace hit_weight_lanes

// The rounded increments of hit_weight.h on vectors, `decided` where the
// polynomial's error cannot change the rounding; the other lanes need the
// library sine. For 0 <= intensity <= kMaxFastIntensity.
HWY_INLINE V FastIncrements(V moved, double intensity, M& decided) {
    const D d;
    const L t = constPI * L{moved};
    const L r = hit_weight_lanes::ReduceByPi(t, [](L a) { return L{hn::Round(a.v)}; });
    const V weight = hn::Abs(hit_weight_lanes::SinReduced(r).v);
    const V sum = hn::Add(hn::Mul(hn::Set(d, intensity), weight), hn::Set(d, 10.0));
    const V nearest = hn::Round(sum);
    decided = hn::And(
        hn::Le(hn::Abs(t.v), hn::Set(d, hit_weight_detail::kMaxReducedArgument)),
        hn::Lt(hn::Abs(hn::Sub(sum, nearest)), hn::Set(d, hit_weight_detail::DecidedMargin(intensity))));
    return nearest;
}

// The points' places in the frozen view, in pixels, and `ok` where they lie in it.
struct PixelLanes {
    V column, row;
    M ok;
};

HWY_INLINE PixelLanes ScaleToView(const BatchParams& p, V X, V Y, M plotting) {
    const D d;
    const M ok = hn::And(plotting, hn::And(hn::Gt(X, hn::Set(d, p.xMin)), hn::Gt(Y, hn::Set(d, p.yMin))));
    // The engine's very arithmetic (PixelIndex), so that a point on a
    // pixel's edge goes where the engine's goes.
    const V sx = hn::Mul(hn::Div(hn::Sub(X, hn::Set(d, p.xMin)), hn::Set(d, p.xRange)), hn::Set(d, p.width));
    const V sy = hn::Mul(hn::Div(hn::Sub(Y, hn::Set(d, p.yMin)), hn::Set(d, p.yRange)), hn::Set(d, p.height));
    return {sx, sy, hn::And(ok, hn::And(hn::Lt(sx, hn::Set(d, p.width)), hn::Lt(sy, hn::Set(d, p.height))))};
}

// The pixels themselves: rounded to the nearest column and row.
HWY_INLINE PixelLanes RoundToPixels(const BatchParams& p, PixelLanes scaled) {
    const D d;
    const V column = hn::Round(hn::IfThenElseZero(scaled.ok, scaled.column));
    const V row = hn::Round(hn::IfThenElseZero(scaled.ok, scaled.row));
    const M ok = hn::And(hn::Lt(column, hn::Set(d, p.width)), hn::Lt(row, hn::Set(d, p.height)));
    return {column, row, hn::And(scaled.ok, ok)};
}

// Counts the hits of one vector of plotted points.
class Plotter {
public:
    Plotter(const BatchParams& p, const batch_detail::StepJob& job, M plotting)
        : p_(p),
          job_(job),
          plotting_(plotting),
          fast_(p.intensity >= 0 && p.intensity <= kMaxFastIntensity) {}

    HWY_INLINE void operator()(L X, L Y, L xIn, L yIn) const {
        const D d;
        const PixelLanes scaled = ScaleToView(p_, X.v, Y.v, plotting_);
        if (hn::AllFalse(d, scaled.ok)) return;
        const PixelLanes pixels = RoundToPixels(p_, scaled);
        const V one = hn::Set(d, 1.0);
        const V moved = hn::Add(hn::Sub(hn::Add(one, X.v), xIn.v), hn::Sub(hn::Add(one, Y.v), yIn.v));
        V increment = moved;
        M exact = pixels.ok;
        if (fast_) {
            M decided;
            increment = FastIncrements(moved, p_.intensity, decided);
            exact = hn::AndNot(decided, pixels.ok);
        }
        Count(pixels, increment, moved, exact, X.v, Y.v);
    }

private:
    HWY_INLINE void Count(const PixelLanes& pixels, V increment, V moved, M exact, V X, V Y) const {
        const D d;
        const DI di;
        HWY_ALIGN std::int64_t columns[kMaxLanes];
        HWY_ALIGN std::int64_t rows[kMaxLanes];
        HWY_ALIGN double increments[kMaxLanes];
        HWY_ALIGN double moves[kMaxLanes];
        HWY_ALIGN double xs[kMaxLanes];
        HWY_ALIGN double ys[kMaxLanes];
        std::uint8_t plotted[8] = {};
        std::uint8_t library[8] = {};
        hn::Store(hn::ConvertTo(di, pixels.column), di, columns);
        hn::Store(hn::ConvertTo(di, pixels.row), di, rows);
        hn::Store(increment, d, increments);
        hn::Store(moved, d, moves);
        hn::Store(X, d, xs);
        hn::Store(Y, d, ys);
        hn::StoreMaskBits(d, pixels.ok, plotted);
        hn::StoreMaskBits(d, exact, library);
        const auto width64 = static_cast<std::size_t>(p_.width);
        std::size_t last = kMaxLanes;
        std::int32_t lastCount = 0;
        for (std::size_t i = 0; i < hn::Lanes(d); ++i) {
            if (!(plotted[i / 8] >> (i % 8) & 1)) continue;
            const double add =
                library[i / 8] >> (i % 8) & 1 ? ReferenceHitIncrement(p_.intensity, moves[i]) : increments[i];
            std::int32_t& counter = job_.counts[static_cast<std::size_t>(rows[i]) * width64 +
                                                static_cast<std::size_t>(columns[i])];
            std::atomic_ref<std::int32_t> shared(counter);
            lastCount = AddHit(shared.load(std::memory_order_relaxed), add);
            shared.store(lastCount, std::memory_order_relaxed);
            last = i;
        }
        if (last == kMaxLanes) return;
        job_.outcome->lastX = xs[last];
        job_.outcome->lastY = ys[last];
        job_.outcome->lastCount = lastCount;
        job_.outcome->plotted = true;
    }

    const BatchParams& p_;
    const batch_detail::StepJob& job_;
    M plotting_;
    bool fast_;
};

}  // namespace zephyrin::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#endif  // ZEPHYRIN_HIT_PLOTTER_INL_H_
