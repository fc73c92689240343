#pragma once

namespace zephyrin {

// The formulas' and variations' pi: these decimals, not the full-precision
// value, because the pictures depend on them.
inline constexpr double constPI = 3.14159265359;
inline constexpr double const2PI = 6.28318530718;

}  // namespace zephyrin
