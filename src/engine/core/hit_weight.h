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

// t minus the nearest multiple of pi, in [-pi/2, pi/2] (a hair beyond at the
// ends), for |t| <= kMaxReducedArgument. Pi is split into a 33-bit head and
// two tails (Cody-Waite), so k * kPiHi is exact for such k and the result is
// off by less than 1e-15. |sin(t)| = |sin(r)|, and reducing by pi rather
// than pi/2 spares a choice between sine and cosine that the processor
// could not predict.
inline double ReduceByPi(double t) {
    constexpr double kOneOverPi = 0.31830988618379067154;
    constexpr double kPiHi = 3.14159265346825122833e+00;
    constexpr double kPiMid = 1.21542010130123844986e-10;
    constexpr double kPiLo = 4.04453249759190126308e-21;
    const double k = RoundHalfEvenSmall(t * kOneOverPi);
    return ((t - k * kPiHi) - k * kPiMid) - k * kPiLo;
}

// |sin(r)| on [-pi/2, pi/2] by the odd Taylor polynomial of degree 11, in
// Estrin's scheme to keep the chain of dependent products short. Error
// below (pi/2)^13 / 13! < 6e-8.
inline double AbsSinReduced(double r) {
    const double r2 = r * r;
    const double r4 = r2 * r2;
    const double p =
        (-1.0 / 6 + r2 * (1.0 / 120)) + r4 * ((-1.0 / 5040 + r2 * (1.0 / 362880)) + r4 * (-1.0 / 39916800));
    return std::fabs(r + r * r2 * p);
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
        const double sum = intensity * AbsSinReduced(ReduceByPi(t)) + 10.0;
        const double nearest = RoundHalfEvenSmall(sum);
        // Errors: the polynomial (< 6e-8 per unit of intensity), the
        // library's own sine (< 2.3e-16) and the additions (< 3e-14 absolute).
        const double margin = (intensity + 1.0) * 1e-7;
        if (std::fabs(sum - nearest) < 0.5 - margin) return nearest;
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
