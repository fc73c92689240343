#pragma once

#include <cstdint>
#include <vector>

#include "imaging/picture.h"

namespace zephyrin {

// One grey level (0..255) per pixel, row by row from the top: the luminance
// r*0.299 + g*0.587 + b*0.114, rounded.
std::vector<std::uint8_t> ToGrayLevels(const Picture& picture);

// One level per pixel, each 0 (black) or 255 (white), row by row from the top.
// Error diffusion spreads what thresholding would lose over the neighbours, so
// a faint attractor on black stays visible as scattered white dots instead of
// vanishing below the threshold.
std::vector<std::uint8_t> ToBlackAndWhite(const Picture& picture);

}  // namespace zephyrin
