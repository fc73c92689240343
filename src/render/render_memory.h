#pragma once

#include <cstdint>

namespace zephyrin {

// Whether a drawing of width x height pixels on `threads` threads fits in
// memory: the picture, `grids` grids of counts (the drawing's, which its
// threads share, and any held beside it) and each thread's bins of hits.
// Asked before allocating.
bool RenderFitsInMemory(std::int64_t width, std::int64_t height, std::int32_t threads,
                        std::int32_t grids = 1);

}  // namespace zephyrin
