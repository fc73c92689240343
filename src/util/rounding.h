#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace zephyrin {

// Reals become integers by rounding to the nearest integer with halves going
// to the even neighbour, everywhere in the program. This relies on the
// default floating-point rounding mode, which the program never changes.
inline double RoundHalfEven(double x) {
    return std::nearbyint(x);
}

// For values known to be finite and within the int32 range.
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
