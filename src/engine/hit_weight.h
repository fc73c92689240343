#pragma once

#include <cmath>
#include <cstdint>

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

// |sin(t)| for |t| <= 2^20 with an absolute error well below 1e-14: the
// argument is reduced by a multiple of pi/2 (three-part Cody-Waite constant,
// exact products for such k) and a Taylor polynomial of sin or cos on
// [-pi/4, pi/4] finishes it. Remainder terms: r^15/15! < 2e-14 for sin,
// r^16/16! < 1e-15 for cos.
inline double AbsSinSmall(double t) {
    constexpr double kTwoOverPi = 0.63661977236758134308;
    constexpr double kShifter = 0x1.8p52;
    // pi/2 split into a 33-bit head and two tails (fdlibm's constants).
    constexpr double kPio2Hi = 1.57079632673412561417e+00;
    constexpr double kPio2Mid = 6.07710050650619224932e-11;
    constexpr double kPio2Lo = 2.02226624879595063154e-21;
    const double kf = (t * kTwoOverPi + kShifter) - kShifter;
    const double r = ((t - kf * kPio2Hi) - kf * kPio2Mid) - kf * kPio2Lo;
    const double r2 = r * r;
    const auto quadrant = static_cast<std::int64_t>(kf);
    double value;
    if ((quadrant & 1) == 0) {
        value =
            r + r * r2 *
                    (-1.0 / 6 +
                     r2 * (1.0 / 120 +
                           r2 * (-1.0 / 5040 +
                                 r2 * (1.0 / 362880 + r2 * (-1.0 / 39916800 + r2 * (1.0 / 6227020800.0))))));
    } else {
        value =
            1.0 +
            r2 * (-1.0 / 2 +
                  r2 * (1.0 / 24 +
                        r2 * (-1.0 / 720 + r2 * (1.0 / 40320 + r2 * (-1.0 / 3628800 +
                                                                     r2 * (1.0 / 479001600.0 +
                                                                           r2 * (-1.0 / 87178291200.0)))))));
    }
    return std::fabs(value);
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
        // Errors: the polynomial (< 3e-14 per unit of intensity), the
        // library's own sine (< 2.3e-16) and the additions (< 3e-14 absolute).
        const double margin = (intensity + 1.0) * 1e-12;
        if (std::fabs(sum - nearest) < 0.5 - margin) return nearest;
    }
    return ReferenceHitIncrement(intensity, moved, weight);
}

}  // namespace zephyrin
