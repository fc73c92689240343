#pragma once

#include "engine/core/count_grid.h"
#include "engine/core/fractal_rec.h"
#include "imaging/picture.h"

namespace zephyrin {

// The width x height picture of a drawing from its counts in the classic
// colouring: a pixel whose count rose gets the colour plotting gives a hit
// that ends at that count; the others keep the background. The picture the
// engine paints, for drawings whose every hit raises a count and whose
// colours do not change with time (no Color Mix). Pixels beyond the counts
// are background.
Picture ColourFromCounts(const CountGrid& counts, const TFractalRec& v);

}  // namespace zephyrin
