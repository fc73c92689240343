#pragma once

#include <cstdint>

#include "imaging/picture.h"

namespace zephyrin {

// A built-in font of the ten digits, each 3 x 5 cells with a cell's gap
// between digits, for numbering the tiles of a contact sheet.
inline constexpr int kDigitColumns = 3;
inline constexpr int kDigitRows = 5;

// The width in pixels of `number` (0 or more) written with cells of
// `scale` x `scale` pixels.
int NumberWidth(int number, int scale);

// Writes `number` (0 or more) with its top left corner at (column, row);
// pixels outside the picture are left out.
void DrawNumber(Picture& picture, int column, int row, int number, int scale, std::uint32_t colour);

}  // namespace zephyrin
