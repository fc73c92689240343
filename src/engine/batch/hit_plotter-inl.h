// Counting a vector of plotted points: the frozen view's pixel of each and
// its hit increment, the hit weight's polynomial where it decides the
// rounding and the library sine elsewhere (hit_weight.h), binned by band
// for a shared grid or added to a thread's own. Re-included per instruction set as vector_lanes-inl.h is.
#if defined(ZEPHYRIN_HIT_PLOTTER_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef ZEPHYRIN_HIT_PLOTTER_INL_H_
#undef ZEPHYRIN_HIT_PLOTTER_INL_H_
#else
#define ZEPHYRIN_HIT_PLOTTER_INL_H_
#endif

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/batch/banded_counts.h"
#include "engine/batch/count_bounds.h"
#include "engine/batch/hit_bins.h"
#include "engine/batch/orbit_kernel.h"
#include "engine/batch/vector_lanes-inl.h"
#include "engine/core/constants.h"
#include "engine/core/hit_weight.h"

HWY_BEFORE_NAMESPACE();
namespace zephyrin::HWY_NAMESPACE {

using VI = hn::Vec<DI>;

namespace hit_weight_lanes {
HWY_INLINE L MulAdd(L a, L b, L c) {
    return {hn::MulAdd(a.v, b.v, c.v)};
}
HWY_INLINE L NegMulAdd(L a, L b, L c) {
    return {hn::NegMulAdd(a.v, b.v, c.v)};
}
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

// The pixels of a vector of points, and `ok` where they lie in the frozen view.
struct PixelLanes {
    V column, row;
    M ok;
};

// The engine's very arithmetic (PixelIndex), so that a point on a pixel's
// edge goes where the engine's goes, but by one product with the pixels per
// unit, without the division's latency. It is off the engine's quotient and
// product by a few ulp (under 6e-16 of the value), which can change a pixel
// only where the scaled value lies that close to a half, on a pixel's edge:
// if any lane does, all take the engine's way.
struct ViewScale {
    explicit ViewScale(const BatchParams& p)
        : x(p.width / p.xRange),
          y(p.height / p.yRange),
          edge(0.5 - 1e-13 * std::max({p.width, p.height, 1})),
          width(p.width),
          height(p.height) {}
    double x, y;  // pixels per unit
    double edge;  // a scaled value this far from the nearest integer or more is near an edge
    double width, height;
};

// The points' pixels: scaled into the view and rounded to the nearest
// column and row. Lanes outside hold whatever the arithmetic gave.
HWY_INLINE PixelLanes PixelsOf(const BatchParams& p, const ViewScale& scale, V X, V Y, M plotting) {
    const D d;
    const M inside = hn::And(plotting, hn::And(hn::Gt(X, hn::Set(d, p.xMin)), hn::Gt(Y, hn::Set(d, p.yMin))));
    const V dx = hn::Sub(X, hn::Set(d, p.xMin));
    const V dy = hn::Sub(Y, hn::Set(d, p.yMin));
    const V width = hn::Set(d, scale.width);
    const V height = hn::Set(d, scale.height);
    V sx = hn::Mul(dx, hn::Set(d, scale.x));
    V sy = hn::Mul(dy, hn::Set(d, scale.y));
    V column = hn::Round(sx);
    V row = hn::Round(sy);
    const V edge = hn::Set(d, scale.edge);
    const M nearEdge = hn::And(
        inside, hn::Or(hn::Ge(hn::Abs(hn::Sub(sx, column)), edge), hn::Ge(hn::Abs(hn::Sub(sy, row)), edge)));
    if (HWY_UNLIKELY(!hn::AllFalse(d, nearEdge))) {
        sx = hn::Mul(hn::Div(dx, hn::Set(d, p.xRange)), width);
        sy = hn::Mul(hn::Div(dy, hn::Set(d, p.yRange)), height);
        column = hn::Round(sx);
        row = hn::Round(sy);
    }
    // Rounded to the width or the height is outside too; a point inside
    // scales to zero or more, so the rounding cannot fall below.
    return {column, row, hn::And(inside, hn::And(hn::Lt(column, width), hn::Lt(row, height)))};
}

// Whole numbers 0 <= v < 2^52 as integers: 2^52 apart, doubles step by one,
// so the sum's low bits are the number. Faster than a conversion, which
// must also handle lanes out of range; other lanes come out as garbage.
HWY_INLINE VI WholeLanes(V whole) {
    const D d;
    const DI di;
    const V shift = hn::Set(d, 4503599627370496.0);
    return hn::Xor(hn::BitCast(di, hn::Add(whole, shift)), hn::BitCast(di, shift));
}

// Increments as AddHit takes them, rounded on the vector: beyond a billion
// either way they stand for "to that end of the int32 range", and a NaN
// adds nothing.
HWY_INLINE VI RoundedIncrements(V increment) {
    const D d;
    const DI di;
    const V billion = hn::Set(d, 1e9);
    const M within = hn::Lt(hn::Abs(increment), billion);
    const VI rounded = hn::ConvertTo(di, hn::IfThenElseZero(within, hn::Round(increment)));
    const VI top =
        hn::IfThenElse(hn::RebindMask(di, hn::Ge(increment, billion)), hn::Set(di, kSetToTop), rounded);
    return hn::IfThenElse(hn::RebindMask(di, hn::Le(increment, hn::Neg(billion))), hn::Set(di, kSetToBottom),
                          top);
}

// A thread's hits on their way to a shared grid: each plotted lane's band
// and hit, computed on the vector; only the plotted ones are stored, packed
// together, for the bins.
class BinCounter {
public:
    BinCounter(const BatchParams& p, HitBins& bins)
        : bins_(bins), width_(p.width), rowShift_(bins.Layout().rowShift) {
        bins.Expect(p.intensity);
    }

    HWY_INLINE void operator()(const PixelLanes& pixels, VI increments) {
        const D d;
        const DI di;
        const auto plotted = hn::RebindMask(di, pixels.ok);
        const VI bands = hn::IfThenElseZero(plotted, hn::ShiftRightSame(WholeLanes(pixels.row), rowShift_));
        const V firstRows = hn::ConvertTo(d, hn::ShiftLeftSame(bands, rowShift_));
        const V offsets = hn::Add(hn::Mul(hn::Sub(pixels.row, firstRows), hn::Set(d, width_)), pixels.column);
        const VI hits = hn::Or(hn::ShiftLeft<32>(WholeLanes(offsets)),
                               hn::And(increments, hn::Set(di, std::int64_t{0xFFFFFFFF})));
        HWY_ALIGN std::int64_t bandOf[kMaxLanes];
        HWY_ALIGN std::int64_t binned[kMaxLanes];
        hn::Store(hits, di, binned);
        hn::Store(bands, di, bandOf);
        std::uint8_t bits[8] = {};
        hn::StoreMaskBits(d, pixels.ok, bits);
        std::uint64_t taken = 0;
        std::memcpy(&taken, bits, sizeof(taken));
        // Every lane is written to its bin and only the plotted ones kept,
        // for the reason CellCounter adds every lane.
        HitBins::Fill* fills = bins_.Fills();
        for (std::size_t lane = 0; lane < hn::Lanes(d); ++lane)
            bins_.Append(fills, static_cast<std::size_t>(bandOf[lane]), static_cast<BinnedHit>(binned[lane]),
                         taken >> lane & 1);
    }

private:
    HitBins& bins_;
    double width_;
    int rowShift_;
};

// Hits added where they fall, to counts no other thread writes to: the
// cheapest way for pictures small enough for every thread to keep its own.
class CellCounter {
public:
    explicit CellCounter(const batch_detail::CellTarget& target)
        : cells_(target.cells), width_(target.width), clamp_(target.clamp) {}

    HWY_INLINE void operator()(const PixelLanes& pixels, VI increments) {
        const D d;
        const DI di;
        HWY_ALIGN std::int64_t cells[kMaxLanes];
        HWY_ALIGN std::int64_t added[kMaxLanes];
        // Every lane adds, those not plotted nothing to the first cell: a
        // loop over the plotted lanes alone ends where the processor cannot
        // foresee.
        const auto plotted = hn::RebindMask(di, pixels.ok);
        hn::Store(hn::IfThenElseZero(plotted,
                                     WholeLanes(hn::MulAdd(pixels.row, hn::Set(d, width_), pixels.column))),
                  di, cells);
        hn::Store(hn::IfThenElseZero(plotted, increments), di, added);
        std::int32_t* counts = cells_;
        if (clamp_) {
            for (std::size_t lane = 0; lane < hn::Lanes(d); ++lane) {
                std::int32_t& count = counts[cells[lane]];
                count = SaturatedAdd(count, static_cast<std::int32_t>(added[lane]));
            }
            return;
        }
        for (std::size_t lane = 0; lane < hn::Lanes(d); ++lane)
            counts[cells[lane]] += static_cast<std::int32_t>(added[lane]);
    }

private:
    std::int32_t* cells_;
    double width_;
    bool clamp_;
};

// Counts the hits of vectors of plotted points with `Counter`, and
// remembers the last one plotted for the status line.
template <typename Counter>
class Plotter {
public:
    Plotter(const BatchParams& p, Counter& counter, M plotting)
        : p_(p),
          counter_(counter),
          plotting_(plotting),
          scale_(p),
          fast_(p.intensity >= 0 && p.intensity <= kMaxFastIntensity),
          lastX_(hn::Zero(D())),
          lastY_(hn::Zero(D())),
          lastPlotted_(hn::FirstN(D(), 0)) {}

    HWY_INLINE void operator()(L X, L Y, L xIn, L yIn) {
        const D d;
        const PixelLanes pixels = PixelsOf(p_, scale_, X.v, Y.v, plotting_);
        if (hn::AllFalse(d, pixels.ok)) return;
        const V one = hn::Set(d, 1.0);
        const V moved = hn::Add(hn::Sub(hn::Add(one, X.v), xIn.v), hn::Sub(hn::Add(one, Y.v), yIn.v));
        V increment = moved;
        M library = pixels.ok;
        if (fast_) {
            M decided;
            increment = FastIncrements(moved, p_.intensity, decided);
            library = hn::AndNot(decided, pixels.ok);
        }
        // Where the polynomial cannot tell the rounding, the reference sum: rare.
        if (!hn::AllFalse(d, library))
            increment = ScalarLanes(moved, increment, library, [intensity = p_.intensity](double m) {
                return ReferenceHitIncrement(intensity, m);
            });
        counter_(pixels, RoundedIncrements(increment));
        lastX_ = X.v;
        lastY_ = Y.v;
        lastPlotted_ = pixels.ok;
        plotted_ = true;
    }

    // The last point plotted, its highest lane, if any was.
    void Report(OrbitBatch::Outcome& outcome) const {
        if (!plotted_) return;
        const D d;
        HWY_ALIGN double xs[kMaxLanes];
        HWY_ALIGN double ys[kMaxLanes];
        std::uint8_t bits[8] = {};
        hn::Store(lastX_, d, xs);
        hn::Store(lastY_, d, ys);
        hn::StoreMaskBits(d, lastPlotted_, bits);
        std::size_t last = hn::Lanes(d) - 1;
        while (!(bits[last / 8] >> (last % 8) & 1)) --last;
        outcome.lastX = xs[last];
        outcome.lastY = ys[last];
        outcome.plotted = true;
    }

private:
    const BatchParams& p_;
    Counter& counter_;
    M plotting_;
    ViewScale scale_;
    bool fast_;
    V lastX_, lastY_;
    M lastPlotted_;
    bool plotted_ = false;
};

}  // namespace zephyrin::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#endif  // ZEPHYRIN_HIT_PLOTTER_INL_H_
