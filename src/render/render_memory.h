#pragma once

#include <cstdint>

namespace zephyrin {

// Whether a drawing of width x height pixels fits in memory when each of
// `threads` threads keeps its own hit counters. Asked before allocating.
bool RenderFitsInMemory(std::int64_t width, std::int64_t height, std::int32_t threads);

}  // namespace zephyrin
