#pragma once

#include <cstdint>

namespace zephyrin {

// The longest side of any drawing: beyond it the byte count could overflow,
// and it would never fit anyway.
inline constexpr std::int64_t kMaxDrawingSide = 1'000'000;

// Bytes a drawing of width x height pixels needs: the picture (four bytes a
// pixel) and the hit counters (a square of the larger side, four bytes each).
std::uint64_t DrawingBytes(std::int64_t width, std::int64_t height);

// Whether such a drawing fits: sizes of at least 1 x 1 whose memory is at
// most half of the machine's physical memory. Asked before allocating, as
// an oversized allocation may seem to succeed and then fail page by page.
bool DrawingFitsInMemory(std::int64_t width, std::int64_t height);

}  // namespace zephyrin
