// The variation pass for any lane policy (lane_policy.h). No namespace of
// its own: included inside the includer's, once for the engine's doubles and,
// by the batch under Highway's foreach_target, once per instruction set; the
// guard toggles with HWY_TARGET_TOGGLE as Highway's -inl.h headers do.
// Needs variation_table.h and constants.h. The includer may define
// ZEPHYRIN_TERMS_INLINE to force the terms into the pass that calls them.
#if defined(ZEPHYRIN_VARIATION_PASS_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef ZEPHYRIN_VARIATION_PASS_INL_H_
#undef ZEPHYRIN_VARIATION_PASS_INL_H_
#else
#define ZEPHYRIN_VARIATION_PASS_INL_H_
#endif

#ifndef ZEPHYRIN_TERMS_INLINE
#define ZEPHYRIN_TERMS_INLINE
#endif

template <typename Num>
struct LanePoint {
    Num x, y;
};

// Horseshoe and Polar take the angle only away from the origin.
template <LaneArithmetic P>
typename P::Mask AwayFromOrigin(typename P::Num x, typename P::Num y) {
    const auto tiny = P::Lift(1e-10);
    return P::Or(P::Greater(P::Abs(x), tiny), P::Greater(P::Abs(y), tiny));
}

// The terms of variation `id` at the formula's point (x, y).
template <Variation id, LaneArithmetic P>
ZEPHYRIN_TERMS_INLINE LanePoint<typename P::Num> VariationTerms(typename P::Num x, typename P::Num y,
                                                                double f2) {
    using Num = typename P::Num;
    if constexpr (id == Variation::kSpherical) {
        const Num r2 = x * x + 1e-12 + y * y;
        return {x / r2, y / r2};
    } else if constexpr (id == Variation::kSwirl) {
        const Num r2 = x * x + 1e-12 + y * y;
        const auto [sn, cs] = P::SinAndCos(r2);
        return {sn * x - cs * y, cs * x + sn * y};
    } else if constexpr (id == Variation::kSinusoidal) {
        return {P::Sin(x), P::Sin(y)};
    } else if constexpr (id == Variation::kPolar) {
        const Num angle = P::Select(AwayFromOrigin<P>(x, y), P::Atan(x / y), P::Lift(0.0));
        return {angle / constPI, P::Sqrt(x * x + 1e-12 + y * y) - 1};
    } else if constexpr (id == Variation::kHorseshoe) {
        const Num theta = P::Select(AwayFromOrigin<P>(x, y), P::Atan(x / y), P::Lift(0.0));
        const auto [sn, cs] = P::SinAndCos(theta);
        return {sn * x - cs * y, cs * x + sn * y};
    } else if constexpr (id == Variation::kLinear) {
        return {x, y};
    } else if constexpr (id == Variation::kBent) {
        const Num zero = P::Lift(0.0);
        return {P::Select(P::Less(x, zero), 2 * x, x), P::Select(P::Less(y, zero), y / 2, y)};
    } else if constexpr (id == Variation::kNone) {
        return {x, y};
    } else if constexpr (id == Variation::kInversion) {
        const Num d = x * x + y * y;
        return {(x / d) / (1e-12 + f2), (y / d) / (1e-12 + f2)};
    } else {
        static_assert(id == Variation::kNone, "a variation without terms: add them to VariationTerms");
    }
}

template <Variation id, LaneArithmetic P, typename Plot>
ZEPHYRIN_TERMS_INLINE void FoldVariation(typename P::Num x, typename P::Num y, double f2,
                                         LanePoint<typename P::Num>& acc, Plot& plot) {
    const LanePoint<typename P::Num> terms = VariationTerms<id, P>(x, y, f2);
    if constexpr (InfoOf(id).fold == VariationFold::kAdd) {
        acc.x = acc.x + f2 * terms.x;
        acc.y = acc.y + f2 * terms.y;
    } else {
        acc = terms;
    }
    plot(acc.x, acc.y);
}

// Every variation of `set` in turn folds the formula's point (x, y) into the
// accumulator `acc` and plots it; the accumulator is not cleared between
// them. The orbit itself goes on from (x, y).
template <LaneArithmetic P, typename Plot>
ZEPHYRIN_TERMS_INLINE void PassVariations(VariationSet set, typename P::Num x, typename P::Num y, double f2,
                                          LanePoint<typename P::Num>& acc, Plot plot) {
    [&]<int... I>(std::integer_sequence<int, I...>) {
        ((set & Bit(static_cast<Variation>(I))
              ? FoldVariation<static_cast<Variation>(I), P>(x, y, f2, acc, plot)
              : void()),
         ...);
    }
    (std::make_integer_sequence<int, kVariationCount>());
}

#endif  // ZEPHYRIN_VARIATION_PASS_INL_H_
