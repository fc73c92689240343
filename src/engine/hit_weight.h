#pragma once

#include <cmath>

#include "engine/engine.h"

namespace zephyrin {

// The weight of a hit is |sin(constPI * moved)| and the counter grows by
// round(intensity * weight + 10). Only that rounded integer matters, so the
// sine need not be exact: a short polynomial decides the rounding whenever
// the sum is clearly away from a half, and the library sine decides the rare
// rest. The result is the very integer the library sine gives.

// The exact rule, as the engine defines it.
inline double ReferenceHitIncrement(double intensity, double moved, double& weight) {
    weight = std::fabs(std::sin(constPI * moved));
    return intensity * weight + 10.0;
}

// Intensities up to this use the fast path (the dialog gives 0..64).
inline constexpr double kMaxFastIntensity = 1000.0;

namespace hit_weight_detail {

// |sin(t)| for |t| <= 2^20 with an absolute error below 6e-8: since only
// the magnitude is wanted, t is reduced by the nearest multiple of pi (a
// three-part Cody-Waite constant keeps k * pi exact enough for such k), and
// an odd Taylor polynomial of degree 11 on [-pi/2, pi/2] finishes it.
// Reducing by pi rather than pi/2 avoids choosing between sine and cosine,
// a branch the processor cannot predict, and Estrin's scheme keeps the chain
// of dependent multiplications short. Remainder: (pi/2)^13 / 13! < 6e-8.
inline double AbsSinSmall(double t) {
    constexpr double kOneOverPi = 0.31830988618379067154;
    constexpr double kShifter = 0x1.8p52;
    // pi split into a 33-bit head and two tails, so k * kPiHi is exact.
    constexpr double kPiHi = 3.14159265346825122833e+00;
    constexpr double kPiMid = 1.21542010130123844986e-10;
    constexpr double kPiLo = 4.04453249759190126308e-21;
    const double k = (t * kOneOverPi + kShifter) - kShifter;
    const double r = ((t - k * kPiHi) - k * kPiMid) - k * kPiLo;
    const double r2 = r * r;
    const double r4 = r2 * r2;
    const double p =
        (-1.0 / 6 + r2 * (1.0 / 120)) + r4 * ((-1.0 / 5040 + r2 * (1.0 / 362880)) + r4 * (-1.0 / 39916800));
    return std::fabs(r + r * r2 * p);
}

}  // namespace hit_weight_detail

// The rounded increment round(intensity * |sin(constPI * moved)| + 10), for
// 0 <= intensity <= kMaxFastIntensity, returned before rounding is applied by
// the caller: the value returned is either the reference sum itself or an
// integer-valued double that rounds to the same integer. `weight` receives
// the weight used (approximate on the fast path; nothing depends on it).
inline double RoundedHitIncrement(double intensity, double moved, double& weight) {
    const double t = constPI * moved;
    if (std::fabs(t) <= 1048576.0) {
        weight = hit_weight_detail::AbsSinSmall(t);
        const double sum = intensity * weight + 10.0;
        // Adding and removing 1.5 * 2^52 rounds half to even without a libm call.
        const double nearest = (sum + 0x1.8p52) - 0x1.8p52;
        // Errors: the polynomial (< 6e-8 per unit of intensity), the
        // library's own sine (< 2.3e-16) and the additions (< 3e-14 absolute).
        const double margin = (intensity + 1.0) * 1e-7;
        if (std::fabs(sum - nearest) < 0.5 - margin) return nearest;
    }
    return ReferenceHitIncrement(intensity, moved, weight);
}

}  // namespace zephyrin
