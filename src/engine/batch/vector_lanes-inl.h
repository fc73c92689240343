// A vector of orbits' values with a double's arithmetic, so that the
// formulas and the step read as the engine's do, and the lane arithmetic of
// lane_policy.h on such vectors. Re-included per instruction set under
// Highway's foreach_target; what vectors do badly (a sine beyond the reduced
// range, vector_trig-inl.h) falls back to the library lane by lane.
#if defined(ZEPHYRIN_VECTOR_LANES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef ZEPHYRIN_VECTOR_LANES_INL_H_
#undef ZEPHYRIN_VECTOR_LANES_INL_H_
#else
#define ZEPHYRIN_VECTOR_LANES_INL_H_
#endif

#include <hwy/contrib/math/math-inl.h>
#include <hwy/highway.h>
#include <cmath>
#include <cstdint>

#include "engine/core/lane_policy.h"

HWY_BEFORE_NAMESPACE();
namespace zephyrin::HWY_NAMESPACE {

namespace hn = hwy::HWY_NAMESPACE;
using D = hn::ScalableTag<double>;
using DU = hn::RebindToUnsigned<D>;
using DI = hn::RebindToSigned<D>;
using V = hn::Vec<D>;
using VU = hn::Vec<DU>;
using M = hn::Mask<D>;

inline constexpr std::size_t kMaxLanes = hn::MaxLanes(D());

// `r` with the lanes of `mask` set to `scalar` of their `x`, one lane at a
// time: for the rare lanes the vector arithmetic cannot take.
template <typename Scalar>
HWY_NOINLINE V ScalarLanes(V x, V r, M mask, Scalar scalar) {
    const D d;
    HWY_ALIGN double in[kMaxLanes];
    HWY_ALIGN double out[kMaxLanes];
    std::uint8_t bits[8] = {};
    hn::Store(x, d, in);
    hn::Store(r, d, out);
    hn::StoreMaskBits(d, mask, bits);
    for (std::size_t i = 0; i < hn::Lanes(d); ++i)
        if (bits[i / 8] >> (i % 8) & 1) out[i] = scalar(in[i]);
    return hn::Load(d, out);
}

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

#include "engine/batch/vector_trig-inl.h"

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

struct VectorMath {
    using Num = L;
    using Mask = M;
    static HWY_INLINE L Lift(double a) { return {hn::Set(D(), a)}; }
    static HWY_INLINE L Select(M m, L a, L b) { return {hn::IfThenElse(m, a.v, b.v)}; }
    static HWY_INLINE M Less(L a, L b) { return hn::Lt(a.v, b.v); }
    static HWY_INLINE M Greater(L a, L b) { return hn::Gt(a.v, b.v); }
    static HWY_INLINE M And(M a, M b) { return hn::And(a, b); }
    static HWY_INLINE M Or(M a, M b) { return hn::Or(a, b); }
    static HWY_INLINE bool Any(M m) { return !hn::AllFalse(D(), m); }
    static HWY_INLINE L Abs(L a) { return {hn::Abs(a.v)}; }
    static HWY_INLINE L Sqrt(L a) { return {hn::Sqrt(a.v)}; }
    static HWY_INLINE L Sin(L a) { return {SinV(a.v)}; }
    static HWY_INLINE L Cos(L a) { return {CosV(a.v)}; }
    static HWY_INLINE SinCos<L> SinAndCos(L a) {
        const SinCosV both = SinCosOf(a.v);
        return {both.sin, both.cos};
    }
    static HWY_INLINE L Atan(L a) { return {AtanV(a.v)}; }
};
static_assert(LaneArithmetic<VectorMath>);

}  // namespace zephyrin::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#endif  // ZEPHYRIN_VECTOR_LANES_INL_H_
