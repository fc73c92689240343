// The batch kernel, compiled once per vector instruction set by Highway and
// chosen at run time. The formulas are the engine's own expressions, taken
// over vectors of orbits; what vectors do badly (a sine beyond the reduced
// range, a hit weight near a rounding edge, the runaway rescues) falls back
// to scalar code lane by lane or runs on all lanes only when some need it.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "engine/batch/orbit_batch.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
// clang-format off
#include <hwy/highway.h>
#include <hwy/contrib/math/math-inl.h>
// clang-format on

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>

#include "engine/batch/orbit_batch.h"
#include "engine/batch/recent_states.h"
#include "engine/core/constants.h"
#include "engine/core/engine.h"
#include "engine/core/formula_table.h"
#include "engine/core/hit_weight.h"
#include "util/rounding.h"

#ifndef ZEPHYRIN_ORBIT_BATCH_ONCE
#define ZEPHYRIN_ORBIT_BATCH_ONCE
namespace zephyrin::batch_detail {

// Beyond this the vector sine and cosine lose accuracy; the library takes over.
inline constexpr double kTrigLimit = 30000.0;

// A batch's step range and where its hits go.
struct StepJob {
    std::uint32_t firstIteration;
    std::int64_t steps;
    int plottingOrbits;  // orbits from this index on do not count
    std::int32_t* counts;
    OrbitBatch::Outcome* outcome;
};

}  // namespace zephyrin::batch_detail
#endif

HWY_BEFORE_NAMESPACE();
namespace zephyrin::HWY_NAMESPACE {
namespace {

namespace hn = hwy::HWY_NAMESPACE;
using D = hn::ScalableTag<double>;
using DU = hn::RebindToUnsigned<D>;
using DI = hn::RebindToSigned<D>;
using V = hn::Vec<D>;
using VU = hn::Vec<DU>;
using M = hn::Mask<D>;
using batch_detail::kTrigLimit;
using batch_detail::StepJob;

constexpr std::size_t kMaxLanes = hn::MaxLanes(D());

// A vector of orbits' values with the arithmetic of a double, so that the
// formulas read as the engine's do.
struct L {
    HWY_INLINE L(V lanes) : v(lanes) {}
    HWY_INLINE explicit L(double a) : v(hn::Set(D(), a)) {}
    V v;
};
HWY_INLINE L Lift(double a) {
    return {hn::Set(D(), a)};
}
HWY_INLINE L operator+(L a, L b) {
    return {hn::Add(a.v, b.v)};
}
HWY_INLINE L operator-(L a, L b) {
    return {hn::Sub(a.v, b.v)};
}
HWY_INLINE L operator*(L a, L b) {
    return {hn::Mul(a.v, b.v)};
}
HWY_INLINE L operator/(L a, L b) {
    return {hn::Div(a.v, b.v)};
}
HWY_INLINE L operator-(L a) {
    return {hn::Neg(a.v)};
}
HWY_INLINE L operator+(L a, double b) {
    return a + Lift(b);
}
HWY_INLINE L operator+(double a, L b) {
    return Lift(a) + b;
}
HWY_INLINE L operator-(L a, double b) {
    return a - Lift(b);
}
HWY_INLINE L operator-(double a, L b) {
    return Lift(a) - b;
}
HWY_INLINE L operator*(L a, double b) {
    return a * Lift(b);
}
HWY_INLINE L operator*(double a, L b) {
    return Lift(a) * b;
}
HWY_INLINE L operator/(L a, double b) {
    return a / Lift(b);
}
HWY_INLINE L operator/(double a, L b) {
    return Lift(a) / b;
}
HWY_INLINE L fabs(L a) {
    return {hn::Abs(a.v)};
}
HWY_INLINE L sqrt(L a) {
    return {hn::Sqrt(a.v)};
}

// Lanes whose argument the vector function does not take get the library's value.
template <double (*Library)(double)>
HWY_NOINLINE V LibraryLanes(V x, V r, M outside) {
    const D d;
    HWY_ALIGN double in[kMaxLanes];
    HWY_ALIGN double out[kMaxLanes];
    std::uint8_t bits[8] = {};
    hn::Store(x, d, in);
    hn::Store(r, d, out);
    hn::StoreMaskBits(d, outside, bits);
    for (std::size_t i = 0; i < hn::Lanes(d); ++i)
        if (bits[i / 8] >> (i % 8) & 1) out[i] = Library(in[i]);
    return hn::Load(d, out);
}

double LibrarySin(double x) {
    return std::sin(x);
}
double LibraryCos(double x) {
    return std::cos(x);
}

// NaN is not outside: it goes through the vector code and stays NaN.
HWY_INLINE M OutsideTrigRange(V x) {
    return hn::Gt(hn::Abs(x), hn::Set(D(), kTrigLimit));
}

HWY_INLINE V SinV(V x) {
    const D d;
    const M outside = OutsideTrigRange(x);
    const V r = hn::Sin(d, hn::IfThenZeroElse(outside, x));
    return hn::AllFalse(d, outside) ? r : LibraryLanes<LibrarySin>(x, r, outside);
}

HWY_INLINE V CosV(V x) {
    const D d;
    const M outside = OutsideTrigRange(x);
    const V r = hn::Cos(d, hn::IfThenZeroElse(outside, x));
    return hn::AllFalse(d, outside) ? r : LibraryLanes<LibraryCos>(x, r, outside);
}

// The one-argument arctangent, of infinities too.
HWY_INLINE V AtanV(V q) {
    const D d;
    const M infinite = hn::IsInf(q);
    const V r = hn::Atan(d, hn::IfThenZeroElse(infinite, q));
    return hn::IfThenElse(infinite, hn::CopySign(hn::Set(d, 1.5707963267948966), q), r);
}

HWY_INLINE L sin(L a) {
    return {SinV(a.v)};
}

// ---------------------------------------------------------------- formulas

using Number = L;
#include "engine/core/formula_expressions.inc"

// ------------------------------------------------------------- the kernel

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
    // Random - 0.5, times a range.
    HWY_INLINE V Draw(double range) {
        return hn::Mul(hn::Sub(Uniform(), hn::Set(D(), 0.5)), hn::Set(D(), range));
    }
};

// hit_weight.h's rounded increments on vectors: the polynomial on the
// reduced argument, `decided` where its error cannot change the rounding;
// the other lanes need the library sine. For 0 <= intensity <= kMaxFastIntensity.
HWY_INLINE V FastIncrements(V moved, double intensity, double margin, M& decided) {
    const D d;
    const V t = hn::Mul(hn::Set(d, constPI), moved);
    const V k = hn::Round(hn::Mul(t, hn::Set(d, 0.31830988618379067154)));
    const V r = hn::Sub(hn::Sub(hn::Sub(t, hn::Mul(k, hn::Set(d, 3.14159265346825122833e+00))),
                                hn::Mul(k, hn::Set(d, 1.21542010130123844986e-10))),
                        hn::Mul(k, hn::Set(d, 4.04453249759190126308e-21)));
    const V r2 = hn::Mul(r, r);
    const V r4 = hn::Mul(r2, r2);
    const V inner = hn::Add(hn::Set(d, -1.0 / 5040), hn::Mul(r2, hn::Set(d, 1.0 / 362880)));
    const V poly = hn::Add(hn::Add(hn::Set(d, -1.0 / 6), hn::Mul(r2, hn::Set(d, 1.0 / 120))),
                           hn::Mul(r4, hn::Add(inner, hn::Mul(r4, hn::Set(d, -1.0 / 39916800)))));
    const V weight = hn::Abs(hn::Add(r, hn::Mul(hn::Mul(r, r2), poly)));
    const V sum = hn::Add(hn::Mul(hn::Set(d, intensity), weight), hn::Set(d, 10.0));
    const V nearest = hn::Round(sum);
    decided = hn::And(hn::Le(hn::Abs(t), hn::Set(d, hit_weight_detail::kMaxReducedArgument)),
                      hn::Lt(hn::Abs(hn::Sub(sum, nearest)), hn::Set(d, margin)));
    return nearest;
}

// Counts the hits of one vector of plotted points.
class Plotter {
public:
    Plotter(const BatchParams& p, const StepJob& job, M plotting)
        : p_(p),
          job_(job),
          plotting_(plotting),
          fast_(p.intensity >= 0 && p.intensity <= kMaxFastIntensity),
          margin_(0.5 - (p.intensity + 1.0) * 1e-7) {}

    HWY_INLINE void operator()(V X, V Y, V xIn, V yIn) const {
        const D d;
        const DI di;
        M ok = hn::And(plotting_, hn::And(hn::Gt(X, hn::Set(d, p_.xMin)), hn::Gt(Y, hn::Set(d, p_.yMin))));
        const V width = hn::Set(d, p_.width);
        const V height = hn::Set(d, p_.height);
        // The engine's very arithmetic (PixelIndex), so that a point on a
        // pixel's edge goes where the engine's goes.
        const V sx = hn::Mul(hn::Div(hn::Sub(X, hn::Set(d, p_.xMin)), hn::Set(d, p_.xRange)), width);
        const V sy = hn::Mul(hn::Div(hn::Sub(Y, hn::Set(d, p_.yMin)), hn::Set(d, p_.yRange)), height);
        ok = hn::And(ok, hn::And(hn::Lt(sx, width), hn::Lt(sy, height)));
        if (hn::AllFalse(d, ok)) return;
        const V column = hn::Round(hn::IfThenElseZero(ok, sx));
        const V row = hn::Round(hn::IfThenElseZero(ok, sy));
        ok = hn::And(ok, hn::And(hn::Lt(column, width), hn::Lt(row, height)));

        const V one = hn::Set(d, 1.0);
        const V moved = hn::Add(hn::Sub(hn::Add(one, X), xIn), hn::Sub(hn::Add(one, Y), yIn));
        V increment = moved;
        M exact = ok;
        if (fast_) {
            M decided;
            increment = FastIncrements(moved, p_.intensity, margin_, decided);
            exact = hn::AndNot(decided, ok);
        }

        HWY_ALIGN std::int64_t columns[kMaxLanes];
        HWY_ALIGN std::int64_t rows[kMaxLanes];
        HWY_ALIGN double increments[kMaxLanes];
        HWY_ALIGN double moves[kMaxLanes];
        HWY_ALIGN double xs[kMaxLanes];
        HWY_ALIGN double ys[kMaxLanes];
        std::uint8_t plotted[8] = {};
        std::uint8_t library[8] = {};
        hn::Store(hn::ConvertTo(di, column), di, columns);
        hn::Store(hn::ConvertTo(di, row), di, rows);
        hn::Store(increment, d, increments);
        hn::Store(moved, d, moves);
        hn::Store(X, d, xs);
        hn::Store(Y, d, ys);
        hn::StoreMaskBits(d, ok, plotted);
        hn::StoreMaskBits(d, exact, library);
        const auto width64 = static_cast<std::size_t>(p_.width);
        std::int32_t* counts = job_.counts;
        std::size_t last = kMaxLanes;
        std::int32_t lastCount = 0;
        for (std::size_t i = 0; i < hn::Lanes(d); ++i) {
            if (!(plotted[i / 8] >> (i % 8) & 1)) continue;
            const double add =
                library[i / 8] >> (i % 8) & 1 ? ReferenceHitIncrement(p_.intensity, moves[i]) : increments[i];
            std::int32_t& counter =
                counts[static_cast<std::size_t>(rows[i]) * width64 + static_cast<std::size_t>(columns[i])];
            std::atomic_ref<std::int32_t> shared(counter);
            lastCount = AddHit(shared.load(std::memory_order_relaxed), add);
            shared.store(lastCount, std::memory_order_relaxed);
            last = i;
        }
        if (last != kMaxLanes) {
            job_.outcome->lastX = xs[last];
            job_.outcome->lastY = ys[last];
            job_.outcome->lastCount = lastCount;
            job_.outcome->plotted = true;
        }
    }

private:
    const BatchParams& p_;
    const StepJob& job_;
    M plotting_;
    bool fast_;
    double margin_;
};

HWY_INLINE M AwayFromOrigin(V x, V y) {
    const V tiny = hn::Set(D(), 1e-10);
    return hn::Or(hn::Gt(hn::Abs(x), tiny), hn::Gt(hn::Abs(y), tiny));
}

// Variation pass (variation_pass.h) over vectors: each enabled variation
// folds the formula's point into the accumulator, which is plotted.
HWY_INLINE void PassVariations(const BatchParams& p, const Plotter& plot, L x, L y, L xIn, L yIn, L& accX,
                               L& accY) {
    const D d;
    const double f2 = p.factor2;
    auto addTerms = [&](L vx, L vy) {
        accX = accX + f2 * vx;
        accY = accY + f2 * vy;
        plot(accX.v, accY.v, xIn.v, yIn.v);
    };
    if (p.spherical) {
        const L r2 = x * x + 1e-12 + y * y;
        addTerms(x / r2, y / r2);
    }
    if (p.swirl) {
        const L r2 = x * x + 1e-12 + y * y;
        const L sn{SinV(r2.v)}, cs{CosV(r2.v)};
        addTerms(sn * x - cs * y, cs * x + sn * y);
    }
    if (p.sinusoidal) addTerms(sin(x), sin(y));
    if (p.polar) {
        const L angle{hn::IfThenElseZero(AwayFromOrigin(x.v, y.v), AtanV((x / y).v))};
        addTerms(angle / constPI, sqrt(x * x + 1e-12 + y * y) - 1);
    }
    if (p.horseshoe) {
        const L theta{hn::IfThenElseZero(AwayFromOrigin(x.v, y.v), AtanV((x / y).v))};
        const L sn{SinV(theta.v)}, cs{CosV(theta.v)};
        addTerms(sn * x - cs * y, cs * x + sn * y);
    }
    if (p.linear) addTerms(x, y);
    if (p.bent) {
        const V zero = hn::Zero(d);
        addTerms(L{hn::IfThenElse(hn::Lt(x.v, zero), (2 * x).v, x.v)},
                 L{hn::IfThenElse(hn::Lt(y.v, zero), (y / 2).v, y.v)});
    }
    if (p.none) {
        accX = x;
        accY = y;
        plot(accX.v, accY.v, xIn.v, yIn.v);
    }
    if (p.inversion) {
        const L dd = x * x + y * y;
        accX = (x / dd) / (1e-12 + f2);
        accY = (y / dd) / (1e-12 + f2);
        plot(accX.v, accY.v, xIn.v, yIn.v);
    }
}

// The orbits of one vector through job.steps iterations (EngineStep).
void RunVector(OrbitBatch::Lanes& lanes, std::size_t first, const BatchParams& p, const StepJob& job) {
    const D d;
    const DU du;
    L x{hn::Load(d, lanes.x + first)}, y{hn::Load(d, lanes.y + first)};
    L accX{hn::Load(d, lanes.accX + first)}, accY{hn::Load(d, lanes.accY + first)};
    L W{hn::Load(d, lanes.W + first)}, xn{hn::Load(d, lanes.xn + first)};
    L sign{hn::Load(d, lanes.sign + first)}, AA{hn::Load(d, lanes.AA + first)},
        j{hn::Load(d, lanes.j + first)};
    Streams random{hn::Load(du, lanes.s0 + first), hn::Load(du, lanes.s1 + first),
                   hn::Load(du, lanes.s2 + first), hn::Load(du, lanes.s3 + first)};

    const std::int64_t plottingHere = std::clamp<std::int64_t>(
        job.plottingOrbits - static_cast<std::int64_t>(first), 0, static_cast<std::int64_t>(hn::Lanes(d)));
    const M plotting = hn::FirstN(d, static_cast<std::size_t>(plottingHere));
    const bool plots = plottingHere > 0;
    const Plotter plot(p, job, plotting);
    const auto shape = static_cast<FormulaShape>(p.shape);
    const double* af = p.af;
    const L BB = Lift(p.BB);
    const int mode = p.transformMode;
    const V zero = hn::Zero(d);
    // The three affine maps' coefficients, by j.
    auto byJ = [&](int k) {
        const M j19 = hn::Eq(j.v, hn::Set(d, 19.0));
        const M j39 = hn::Eq(j.v, hn::Set(d, 39.0));
        return L{hn::IfThenElse(j39, hn::Set(d, af[39 + k]),
                                hn::IfThenElse(j19, hn::Set(d, af[19 + k]), hn::Set(d, af[k])))};
    };

    for (std::int64_t step = 0; step < job.steps; ++step) {
        const std::uint32_t iteration = job.firstIteration + static_cast<std::uint32_t>(step);
        const bool atThousand = iteration % 1000u == 0;
        if (mode >= 1 && mode <= 3) {
            const V drawn = hn::Round(hn::Mul(hn::Mul(random.Uniform(), hn::Set(d, mode)), hn::Set(d, 20.0)));
            j.v = hn::IfThenElse(
                hn::Lt(drawn, hn::Set(d, 19.0)), zero,
                hn::IfThenElse(hn::Lt(drawn, hn::Set(d, 39.0)), hn::Set(d, 19.0), hn::Set(d, 39.0)));
        }
        if (atThousand && p.modulas) AA = AA - 0.0002 * sin(AA);
        if (p.expansion) x = x - 5e-05 * (x * sign) / sqrt(x * x + y * y);
        sign.v = hn::IfThenElse(hn::Lt(x.v, zero), hn::Set(d, -1.0), hn::Set(d, 1.0));
        const L xIn = x, yIn = y;

        switch (shape) {
            case FormulaShape::kWAfterMove:
                x = x - (x * sign) * 5e-05 / sqrt(x * x + y * y);
                [[fallthrough]];
            case FormulaShape::kW: {
                const L xOld = x;
                x = BB * y + W;
                W = WValue(p.formula, x, y, AA, sign, af);
                y = W - xOld;
                break;
            }
            case FormulaShape::kThree: {
                const L nx = AA * x + y + sign * sqrt(fabs(sqrt(fabs(constPI * AA * x))));
                y = AA - x;
                x = nx;
                break;
            }
            case FormulaShape::kTwoStageAfterShift:
                x = x + x * sign * 2e-05;
                [[fallthrough]];
            case FormulaShape::kTwoStage:
                xn = XnValue(p.formula, x, y, AA, BB, xn);
                y = GValue(p.formula, xn, x, y, AA, BB);
                x = xn;
                break;
            case FormulaShape::kH: {
                xn = HValue(p.formula, x, y, AA, sign);
                y = -x;
                x = xn;
                // CheckRunaway: each coordinate alone, then a random start
                // every 1000 iterations of the orbit.
                const V far = hn::Set(d, 10000.0), near = hn::Set(d, 1e-4);
                const M xOut = hn::Or(hn::Gt(hn::Abs(x.v), far), hn::Lt(hn::Abs(x.v), near));
                if (!hn::AllFalse(d, xOut)) x.v = hn::IfThenElse(xOut, random.Draw(2.0), x.v);
                const M yOut = hn::Or(hn::Gt(hn::Abs(y.v), far), hn::Lt(hn::Abs(y.v), near));
                if (!hn::AllFalse(d, yOut)) y.v = hn::IfThenElse(yOut, random.Draw(2.0), y.v);
                if (atThousand) {
                    AA.v = random.Draw(p.randomizer);
                    W = Lift(1.0);
                    x.v = random.Draw(p.randomizer);
                    y.v = random.Draw(p.randomizer);
                    accX = x;
                    accY = y;
                    sign = Lift(1.0);
                }
                break;
            }
            case FormulaShape::kAffine: {
                const L nx = x * byJ(1) + y * byJ(3) + byJ(5);
                const L ny = x * byJ(2) + y * byJ(4) + byJ(6);
                x = nx;
                y = ny;
                break;
            }
            case FormulaShape::kSineAffine: {
                const L sx = sin(x), sy = sin(y);
                const L nx = sx + x * byJ(1) + y * byJ(1) + byJ(5) - sy;
                const L ny = sx + x * byJ(2) + y * byJ(2) + byJ(6) - sy;
                x = nx;
                y = ny;
                break;
            }
            case FormulaShape::kNone:
                break;
        }

        // CheckRunawayBoth.
        {
            const V ax = hn::Abs(x.v), ay = hn::Abs(y.v);
            const V far = hn::Set(d, 10000.0), near = hn::Set(d, 1e-4);
            const M out = hn::Or(hn::And(hn::Gt(ax, far), hn::Gt(ay, far)),
                                 hn::And(hn::Lt(ax, near), hn::Lt(ay, near)));
            if (!hn::AllFalse(d, out)) {
                const V nx = random.Draw(2 * p.randomizer);
                const V ny = random.Draw(2 * p.randomizer);
                x.v = hn::IfThenElse(out, nx, x.v);
                y.v = hn::IfThenElse(out, ny, y.v);
            }
        }

        if (plots) PassVariations(p, plot, x, y, xIn, yIn, accX, accY);
        accX = x;
        accY = y;
    }

    hn::Store(x.v, d, lanes.x + first);
    hn::Store(y.v, d, lanes.y + first);
    hn::Store(accX.v, d, lanes.accX + first);
    hn::Store(accY.v, d, lanes.accY + first);
    hn::Store(W.v, d, lanes.W + first);
    hn::Store(xn.v, d, lanes.xn + first);
    hn::Store(sign.v, d, lanes.sign + first);
    hn::Store(AA.v, d, lanes.AA + first);
    hn::Store(j.v, d, lanes.j + first);
    hn::Store(random.s0, du, lanes.s0 + first);
    hn::Store(random.s1, du, lanes.s1 + first);
    hn::Store(random.s2, du, lanes.s2 + first);
    hn::Store(random.s3, du, lanes.s3 + first);
}

}  // namespace

void RunSteps(OrbitBatch::Lanes& lanes, const BatchParams& p, const StepJob& job) {
    const std::size_t n = hn::Lanes(D());
    for (std::size_t first = 0; first < static_cast<std::size_t>(OrbitBatch::kOrbits); first += n)
        RunVector(lanes, first, p, job);
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
        const V increments =
            fast ? FastIncrements(hn::Load(d, buffer), intensity, 0.5 - (intensity + 1.0) * 1e-7, decided)
                 : hn::Zero(d);
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
HWY_EXPORT(IncrementLanes);
HWY_EXPORT(SinLanes);
HWY_EXPORT(CosLanes);
HWY_EXPORT(AtanLanes);

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
// after that, with whether it has settled on a cycle there, and stops when
// it has one for every orbit of the batch.
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

BatchParams ParamsOf(const TFractalRec& v, const Effects& effects, const BatchParams& view) {
    BatchParams p = view;
    p.formula = v.formula;
    p.shape = static_cast<std::int32_t>(ShapeOf(v.formula));
    p.transformMode = v.transformMode;
    p.BB = v.BB;
    p.factor2 = v.factor2;
    p.intensity = v.intensity;
    p.randomizer = v.randomizer;
    for (int i = 0; i <= Coefficients::kCount; ++i) p.af[i] = v.af[i];
    p.spherical = v.varSpherical != 0;
    p.swirl = v.varSwirl != 0;
    p.sinusoidal = v.varSinusoidal != 0;
    p.polar = v.varPolar != 0;
    p.horseshoe = v.varHorseshoe != 0;
    p.linear = v.varLinear != 0;
    p.bent = v.varBent != 0;
    p.none = v.varNone != 0;
    p.inversion = v.varInversion != 0;
    p.modulas = effects.modulas != 0;
    p.expansion = effects.expansion != 0;
    return p;
}

}  // namespace

OrbitBatch::OrbitBatch(const TFractalRec& start, const Effects& effects, std::uint64_t seed) {
    BatchParams view;
    view.width = std::max(start.width, 0);
    view.height = std::max(start.height, 0);
    view.xMin = start.plotXMin;
    view.yMin = start.plotYMin;
    view.xRange = start.plotXMax - start.plotXMin;
    view.yRange = start.plotYMax - start.plotYMin;
    params_ = ParamsOf(start, effects, view);

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
    params_ = ParamsOf(rec, effects, params_);
}

double OrbitBatch::LastA() const {
    return lanes_.AA[0];
}

void OrbitBatch::Steps(std::int64_t steps, int plottingOrbits, std::span<std::int32_t> counts) {
    Outcome outcome;
    const batch_detail::StepJob job{iteration_, steps, plottingOrbits, counts.data(), &outcome};
    HWY_DYNAMIC_DISPATCH(RunSteps)(lanes_, params_, job);
    iteration_ += static_cast<std::uint32_t>(steps);
    if (outcome.plotted) {
        lastX_ = outcome.lastX;
        lastY_ = outcome.lastY;
        lastCount_ = outcome.lastCount;
    }
}

void OrbitBatch::Run(std::int64_t iterations, std::span<std::int32_t> counts) {
    if (iterations <= 0) return;
    if (counts.size() < static_cast<std::size_t>(params_.width) * static_cast<std::size_t>(params_.height))
        return;
    if (!warmedUp_) WarmUp();
    const std::int64_t whole = iterations / kOrbits;
    const int rest = static_cast<int>(iterations % kOrbits);
    if (whole > 0) Steps(whole, kOrbits, counts);
    if (rest > 0) Steps(1, rest, counts);
    counted_ += iterations;
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
