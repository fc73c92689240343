// Sine and cosine of vectors of doubles, reduced by pi/2 on the vector so
// that large arguments (the swirls of formula 72's orbits reach 3.3 x 10^8,
// those of the rescued orbits of formulas 23 to 40 up to 2 x 10^8) stay off
// the library's lane-by-lane path, and both from one reduction where a step
// takes both of one argument. Within 3 ulps of the library's sine and
// cosine up to kTrigLimit; beyond it the library takes over. Included by
// vector_lanes-inl.h inside its namespace, after its D, DU, V and M.
#if defined(ZEPHYRIN_VECTOR_TRIG_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef ZEPHYRIN_VECTOR_TRIG_INL_H_
#undef ZEPHYRIN_VECTOR_TRIG_INL_H_
#else
#define ZEPHYRIN_VECTOR_TRIG_INL_H_
#endif

#if HWY_NATIVE_FMA
// pi/2 in three doubles. A fused x - k p1 is exact while |k| < 2^50 (the
// difference is below 1 and a multiple of 2^-52), and the two further
// parts leave k times 6e-50: nothing, even a hair from a multiple, while
// |k| < 2^31.
inline constexpr double kTrigLimit = 3.3e9;

HWY_INLINE V MinusHalfPiTimes(V k, V x) {
    const D d;
    V r = hn::NegMulAdd(k, hn::Set(d, 0x1.921fb54442d18p+0), x);
    r = hn::NegMulAdd(k, hn::Set(d, 0x1.1a62633145c07p-54), r);
    return hn::NegMulAdd(k, hn::Set(d, -0x1.f1976b7ed8fbcp-110), r);
}
#else
// Without a fused multiply-add: pi/2 in four parts, the first three of 26
// bits, so that k times each is exact for |k| < 2^27 and x - k pi/2 loses
// nothing to cancellation; the error left is k times 2e-41.
inline constexpr double kTrigLimit = 2.1e8;

HWY_INLINE V MinusHalfPiTimes(V k, V x) {
    const D d;
    V r = hn::NegMulAdd(k, hn::Set(d, 0x1.921fb58p+0), x);
    r = hn::NegMulAdd(k, hn::Set(d, -0x1.dde974p-27), r);
    r = hn::NegMulAdd(k, hn::Set(d, 0x1.1a62630p-54), r);
    return hn::NegMulAdd(k, hn::Set(d, 0x1.8a2e03707344ap-81), r);
}
#endif

struct SinCosV {
    V sin, cos;
};

// Adding 1.5 x 2^52 rounds to an integer and leaves it, modulo 2^51, in the
// low bits of the sum, the quadrant in the lowest two.
inline constexpr double kRoundingShift = 0x1.8p52;

// The fdlibm kernels' minimax polynomials on [-pi/4, pi/4] (below 1 ulp there).
HWY_INLINE V SinKernel(V r, V z) {
    const D d;
    V p = hn::MulAdd(z, hn::Set(d, 1.58969099521155010221e-10), hn::Set(d, -2.50507602534068634195e-08));
    p = hn::MulAdd(z, p, hn::Set(d, 2.75573137070700676789e-06));
    p = hn::MulAdd(z, p, hn::Set(d, -1.98412698298579493134e-04));
    p = hn::MulAdd(z, p, hn::Set(d, 8.33333333332248946124e-03));
    p = hn::MulAdd(z, p, hn::Set(d, -1.66666666666666324348e-01));
    return hn::MulAdd(hn::Mul(z, r), p, r);
}

// 1 - z/2 in two parts, so that its rounding is not lost beside z^2 C(z).
HWY_INLINE V CosKernel(V z) {
    const D d;
    V p = hn::MulAdd(z, hn::Set(d, -1.13596475577881948265e-11), hn::Set(d, 2.08757232129817482790e-09));
    p = hn::MulAdd(z, p, hn::Set(d, -2.75573143513906633035e-07));
    p = hn::MulAdd(z, p, hn::Set(d, 2.48015872894767294178e-05));
    p = hn::MulAdd(z, p, hn::Set(d, -1.38888888888741095749e-03));
    p = hn::MulAdd(z, p, hn::Set(d, 4.16666666666666019037e-02));
    const V half = hn::Mul(z, hn::Set(d, 0.5));
    const V w = hn::Sub(hn::Set(d, 1.0), half);
    const V lost = hn::Sub(hn::Sub(hn::Set(d, 1.0), w), half);
    return hn::Add(w, hn::MulAdd(hn::Mul(z, z), p, lost));
}

// Both of x, for |x| up to kTrigLimit; NaN stays NaN.
HWY_INLINE SinCosV ReducedSinCos(V x) {
    const D d;
    const DU du;
    const V shifted = hn::MulAdd(x, hn::Set(d, 0.63661977236758134308), hn::Set(d, kRoundingShift));
    const V k = hn::Sub(shifted, hn::Set(d, kRoundingShift));
    const V r = MinusHalfPiTimes(k, x);
    const V z = hn::Mul(r, r);
    const V s = SinKernel(r, z), c = CosKernel(z);
    // sin x = sin r, cos r, -sin r, -cos r and cos x = cos r, -sin r, -cos r,
    // sin r in quadrants 0 to 3.
    const VU quadrant = hn::BitCast(du, shifted);
    const auto odd = hn::RebindMask(d, hn::TestBit(quadrant, hn::Set(du, 1)));
    const VU sinSign = hn::ShiftLeft<62>(hn::And(quadrant, hn::Set(du, 2)));
    const VU cosSign = hn::ShiftLeft<62>(hn::And(hn::Add(quadrant, hn::Set(du, 1)), hn::Set(du, 2)));
    return {hn::Xor(hn::IfThenElse(odd, c, s), hn::BitCast(d, sinSign)),
            hn::Xor(hn::IfThenElse(odd, s, c), hn::BitCast(d, cosSign))};
}

// Both at once: the library shares one reduction between them.
HWY_NOINLINE void LibrarySinCosLanes(V x, M outside, SinCosV& r) {
    const D d;
    HWY_ALIGN double in[kMaxLanes];
    HWY_ALIGN double sines[kMaxLanes];
    HWY_ALIGN double cosines[kMaxLanes];
    std::uint8_t bits[8] = {};
    hn::Store(x, d, in);
    hn::Store(r.sin, d, sines);
    hn::Store(r.cos, d, cosines);
    hn::StoreMaskBits(d, outside, bits);
    for (std::size_t i = 0; i < hn::Lanes(d); ++i)
        if (bits[i / 8] >> (i % 8) & 1) {
            sines[i] = std::sin(in[i]);
            cosines[i] = std::cos(in[i]);
        }
    r = {hn::Load(d, sines), hn::Load(d, cosines)};
}

inline double LibrarySin(double x) {
    return std::sin(x);
}
inline double LibraryCos(double x) {
    return std::cos(x);
}

// NaN is not outside: it goes through the vector code and stays NaN.
HWY_INLINE M OutsideTrigRange(V x) {
    return hn::Gt(hn::Abs(x), hn::Set(D(), kTrigLimit));
}

HWY_INLINE SinCosV SinCosOf(V x) {
    const D d;
    const M outside = OutsideTrigRange(x);
    SinCosV r = ReducedSinCos(hn::IfThenZeroElse(outside, x));
    if (HWY_UNLIKELY(!hn::AllFalse(d, outside))) LibrarySinCosLanes(x, outside, r);
    return r;
}

HWY_INLINE V SinV(V x) {
    const D d;
    const M outside = OutsideTrigRange(x);
    const V r = ReducedSinCos(hn::IfThenZeroElse(outside, x)).sin;
    return hn::AllFalse(d, outside) ? r : ScalarLanes(x, r, outside, LibrarySin);
}

HWY_INLINE V CosV(V x) {
    const D d;
    const M outside = OutsideTrigRange(x);
    const V r = ReducedSinCos(hn::IfThenZeroElse(outside, x)).cos;
    return hn::AllFalse(d, outside) ? r : ScalarLanes(x, r, outside, LibraryCos);
}

#endif  // ZEPHYRIN_VECTOR_TRIG_INL_H_
