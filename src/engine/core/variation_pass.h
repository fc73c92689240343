// The engine's variation pass, shared by the drawing, which plots its
// points, and by the orbit probe, which keeps them.
#pragma once

#include "engine/core/engine.h"
#include "engine/core/scalar_lanes.h"

namespace zephyrin {

template <typename Plot>
void Engine::PassVariations(Plot plot) {
    scalar::LanePoint<double> acc{accX, accY};
    scalar::PassVariations<scalar::ScalarMath>(VariationSetOf(*v), x, y, v->factor2, acc, plot);
    accX = x;
    accY = y;
}

}  // namespace zephyrin
