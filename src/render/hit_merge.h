#pragma once

#include <cstdint>
#include <vector>

#include "engine/engine.h"

namespace zephyrin {

// Adds the hits that `from` counted to `into`, counter by counter: both lists
// started at kUntouchedCount, so the sum is kUntouchedCount plus both rises,
// kept within the int32 range as the engine keeps a single count.
void AddHitCounts(std::vector<std::int32_t>& into, const std::vector<std::int32_t>& from);

}  // namespace zephyrin
