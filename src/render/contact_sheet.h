#pragma once

#include <cstdint>
#include <span>

#include "imaging/picture.h"

namespace zephyrin {

// The gap between tiles and around them, in pixels.
inline constexpr int kSheetGap = 4;
// The digits' cells, in pixels.
inline constexpr int kLabelScale = 2;
// Between a label's digits and the edge of the dark box behind them.
inline constexpr int kLabelMargin = 2;

// The tiles, all of the first one's size, in rows of `columns` (at least 1)
// in order, on a dark grey sheet with kSheetGap pixels between and around
// them; each tile is numbered from 1 in its top left corner, white digits
// on a black box, so that a label can be read on any picture.
Picture ContactSheet(std::span<const Picture> tiles, int columns);

}  // namespace zephyrin
