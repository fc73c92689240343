#pragma once

#include <cstdint>
#include <vector>

#include "engine/engine.h"
#include "engine/fractal_rec.h"
#include "imaging/picture.h"

namespace zephyrin {

// Adds the hits that `from` counted to `into`, counter by counter: both lists
// started at kUntouchedCount, so the sum is kUntouchedCount plus both rises,
// kept within the int32 range as the engine keeps a single count.
void AddHitCounts(std::vector<std::int32_t>& into, const std::vector<std::int32_t>& from);

// The width x height picture of a drawing from its final counts (laid out
// listSide x listSide, as the engine keeps them): a pixel whose count rose
// gets the colour plotting gives a hit that ends at that count; the others
// keep the background. Only for drawings whose every hit raises a count and
// whose colours do not change with time (no Color Mix).
Picture ColourFromCounts(const std::vector<std::int32_t>& counts, std::int32_t listSide,
                         const TFractalRec& v);

}  // namespace zephyrin
