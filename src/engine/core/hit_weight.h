#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/core/constants.h"
#include "util/rounding.h"

namespace zephyrin {

// The weight of a hit is |sin(constPI * moved)| and the counter grows by
// round(intensity * weight + 10). Only that rounded integer matters, so the
// sine is rarely needed exactly. The fast way below gives the very integer
// the library sine gives: a short polynomial answers where its error cannot
// change the rounding and hands the rare rest on to the library sine.

// The exact rule: the sum before rounding.
inline double ReferenceHitIncrement(double intensity, double moved) {
    return intensity * std::fabs(std::sin(constPI * moved)) + 10.0;
}

namespace hit_weight_detail {

// Arguments up to this reduce accurately below.
inline constexpr double kMaxReducedArgument = 1048576.0;

inline double MulAdd(double a, double b, double c) {
    return a * b + c;
}
inline double NegMulAdd(double a, double b, double c) {
    return c - a * b;
}

#include "engine/core/hit_weight_polynomial.inc"

// How far from a half a sum must lie for its rounding to be decided: the
// errors of the polynomial (< 6e-8 per unit of intensity), of the library's
// own sine (< 2.3e-16) and of the additions (< 3e-14 absolute).
constexpr double DecidedMargin(double intensity) {
    return 0.5 - (intensity + 1.0) * 1e-7;
}

}  // namespace hit_weight_detail

// Intensities up to this take the polynomial rather than the library sine.
inline constexpr double kMaxFastIntensity = 1000.0;

// The increment for 0 <= intensity <= kMaxFastIntensity by the polynomial,
// or by the library sine where the polynomial's error could matter: either
// the reference sum or an integer-valued double that rounds like it.
inline double RoundedHitIncrement(double intensity, double moved) {
    using namespace hit_weight_detail;
    const double t = constPI * moved;
    if (std::fabs(t) <= kMaxReducedArgument) {
        const double sum =
            intensity * std::fabs(SinReduced(ReduceByPi(t, [](double a) { return RoundHalfEvenSmall(a); }))) +
            10.0;
        const double nearest = RoundHalfEvenSmall(sum);
        if (std::fabs(sum - nearest) < DecidedMargin(intensity)) return nearest;
    }
    return ReferenceHitIncrement(intensity, moved);
}

// The count after adding one hit of the given increment (10 + intensity *
// weight, rounded), saturating at the int32 range instead of overflowing.
inline std::int32_t AddHit(std::int32_t count, double increment) {
    constexpr std::int32_t kMaxCount = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMinCount = std::numeric_limits<std::int32_t>::min();
    if (increment > -1e9 && increment < 1e9) {
        const std::int64_t sum = static_cast<std::int64_t>(count) + RoundToInt32(increment);
        if (sum > kMaxCount) return kMaxCount;
        if (sum < kMinCount) return kMinCount;
        return static_cast<std::int32_t>(sum);
    }
    if (increment >= 1e9) return kMaxCount;
    if (increment <= -1e9) return kMinCount;
    return count;  // a NaN intensity adds nothing
}

}  // namespace zephyrin
