#pragma once

#include "engine/core/count_grid.h"
#include "engine/core/fractal_rec.h"
#include "imaging/picture.h"

namespace zephyrin {

class ThreadPool;

// The width x height picture of a drawing from its counts in the classic
// colouring: a pixel whose count rose gets the colour plotting gives a hit
// that ends at that count; the others keep the background. The picture the
// engine paints, for drawings whose every hit raises a count and whose
// colours do not change with time (no Color Mix). Pixels beyond the counts
// are background. `pool`, if any, shares out the rows among its threads.
Picture ColourFromCounts(const CountGrid& counts, const TFractalRec& v, ThreadPool* pool = nullptr);

// Row `row` of that picture, v.width words, for writers that take the rows
// as they come; rows may be coloured side by side on threads.
void ColourRowFromCounts(const CountGrid& counts, const TFractalRec& v, std::int32_t row,
                         std::uint32_t* words);

}  // namespace zephyrin
