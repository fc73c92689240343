#pragma once

#include "imaging/picture.h"

namespace zephyrin {

// Area-averaging resampling in integer arithmetic: every destination pixel is
// the weighted mean of the source pixels it covers, taken as truncated per-row
// means and then the truncated mean of those. Source columns (rows) cut by a
// destination boundary contribute to both sides by their covered share. A
// width or height of 0 gives an empty picture.
Picture ResizeByAreaAveraging(const Picture& source, int width, int height);

// The anti-alias reduction: (width div factor) by (height div factor) pixels,
// empty when the source is smaller than `factor` in either direction or
// `factor` is not positive.
Picture ReduceByAreaAveraging(const Picture& source, int factor);

}  // namespace zephyrin
