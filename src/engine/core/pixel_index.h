#pragma once

#include <cstdint>

#include "util/rounding.h"

namespace zephyrin {

// The pixel index a coordinate of the frozen view rounds to, or -1 when it
// lies on or before the view's first edge, rounds past the last pixel, or is
// not a number. The engine plots with it; anything that looks up the pixel
// of a plotted point uses it too.
inline std::int32_t PixelIndex(double value, double low, double high, std::int32_t size) {
    if (!(value > low)) return -1;
    const double scaled = (value - low) / (high - low) * size;
    // Checked before converting, so a huge or NaN coordinate is never converted.
    if (!(scaled >= -0.5 && scaled < size)) return -1;
    const std::int32_t index = RoundToInt32(scaled);
    return index < size ? index : -1;
}

}  // namespace zephyrin
