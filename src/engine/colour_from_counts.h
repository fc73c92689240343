#pragma once

#include <cstdint>
#include <span>

#include "engine/fractal_rec.h"
#include "imaging/picture.h"

namespace zephyrin {

// The width x height picture of a drawing from its counts (laid out
// listSide x listSide, as the engine keeps them) in the classic colouring: a
// pixel whose count rose gets the colour plotting gives a hit that ends at
// that count; the others keep the background. The picture the engine paints,
// for drawings whose every hit raises a count and whose colours do not change
// with time (no Color Mix).
Picture ColourFromCounts(std::span<const std::int32_t> counts, std::int32_t listSide, const TFractalRec& v);

// The same from a counts-only drawing's counts: width x height, row by row.
Picture ColourFromCountsByRow(std::span<const std::int32_t> counts, const TFractalRec& v);

}  // namespace zephyrin
