#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace zephyrin {

// Reals become integers by rounding to the nearest integer with halves going
// to the even neighbour, everywhere in the program. This relies on the
// default floating-point rounding mode, which the program never changes.
//
// Adding and taking away 1.5 * 2^52 leaves no bits below the units, so the
// sum is rounded by the hardware, in a constant expression too. Only for
// magnitudes below 2^51, unchecked, for inner loops.
constexpr double RoundHalfEvenSmall(double x) {
    constexpr double kShift = 0x1.8p52;
    return (x + kShift) - kShift;
}

// Any double: magnitudes of 2^51 and more are whole already, NaN stays NaN.
constexpr double RoundHalfEven(double x) {
    return x < 0x1p51 && x > -0x1p51 ? RoundHalfEvenSmall(x) : x;
}

// For values known to be finite and within the int32 range; the same
// rounding, in one instruction.
inline std::int32_t RoundToInt32(double x) {
    return static_cast<std::int32_t>(std::lrint(x));
}

// Rounds and clamps to the int32 range; NaN gives 0. For values that come from
// outside the program (dialogs, files) and may be anything.
inline std::int32_t RoundToInt32Clamped(double x) {
    if (!(x == x)) return 0;
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (x <= lo) return std::numeric_limits<std::int32_t>::min();
    if (x >= hi) return std::numeric_limits<std::int32_t>::max();
    return RoundToInt32(x);
}

}  // namespace zephyrin
